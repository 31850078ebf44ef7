// AT45D flash cards: 2048 pages, addressed as page, offset within the page, length.
#include "cards/areas.h"
#include "state.h"
#include "tavrik.h"

namespace {

using namespace tavrik;

constexpr int kPages = 2048;

// The erase commands exist on the byte protocol only.
std::uint16_t erase(std::uint8_t command, std::uint16_t first, std::uint16_t count, int perUnitMs)
{
    if (!cards::within(first, count, kPages) || cards::forwarded()) return 19;
    return cards::confirmedCommand(command, {first, count}, 50 + perUnitMs * count, 5);
}

}  // namespace

extern "C" TK_API TK_STATUS TK_AT45D_OpenCard(uint8_t type)
{
    state().cardType = type;
    return cards::forwarded() ? velsor::call<560>(type) : cards::openCard(type);
}

extern "C" TK_API TK_STATUS TK_AT45D_CloseCard(void) { return cards::closeOr<561>(); }

extern "C" TK_API TK_STATUS TK_AT45D_ReadChar(uint16_t page, uint16_t offset, uint16_t length,
                                              char *text)
{
    if (!text) return 29;
    if (page >= kPages) return 19;
    if (cards::forwarded()) return cards::forwardRead<562>(page, offset, length, text);
    return cards::readWith('b', {page, offset, length}, length, text);
}

extern "C" TK_API TK_STATUS TK_AT45D_ReadString(uint16_t page, uint16_t offset, uint16_t length,
                                                uint8_t *bytes)
{
    return cards::readBytes(
        [page](uint16_t o, uint16_t n, char *t) { return TK_AT45D_ReadChar(page, o, n, t); },
        offset, length, bytes);
}

extern "C" TK_API TK_STATUS TK_AT45D_WriteChar(uint16_t page, uint16_t offset, uint16_t length,
                                               const char *text)
{
    if (!text) return 29;
    if (page >= kPages) return 19;
    if (cards::forwarded()) {
        std::string copy = cards::privateCopy(text, 2 * std::size_t{length});
        return velsor::call<563>(page, offset, length, copy.data());
    }
    return cards::writeWith(state().cardType, 'c', {page, offset, length}, length, text);
}

extern "C" TK_API TK_STATUS TK_AT45D_WriteString(uint16_t page, uint16_t offset, uint16_t length,
                                                 const uint8_t *bytes)
{
    return cards::writeBytes(
        [page](uint16_t o, uint16_t n, const char *t) { return TK_AT45D_WriteChar(page, o, n, t); },
        offset, length, bytes);
}

extern "C" TK_API TK_STATUS TK_AT45D_BlockErase(uint16_t first, uint16_t count)
{
    return erase('d', first, count, 15);
}

extern "C" TK_API TK_STATUS TK_AT45D_PageErase(uint16_t first, uint16_t count)
{
    return erase('e', first, count, 8);
}
