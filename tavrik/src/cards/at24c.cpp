// AT24C serial EEPROM cards: the caller names the type 1-10, which fixes the size.
#include "cards/areas.h"
#include "state.h"
#include "tavrik.h"

namespace {

using namespace tavrik;

// Types 1 and 2 take at most 128 bytes per call.
constexpr std::size_t kLongestSmallTransfer = 128;

// Size of type 1-10, 0 for any other type.
std::size_t sizeOf(std::uint8_t type)
{
    if (type < 1 || type > 10) return 0;
    if (type <= 2) return 128u << (type - 1);
    return std::size_t{256} << (type - 3);
}

// 0, 14 when no AT24C type is open, 19 out of bounds. A request for more than types 1 and 2
// take is refused rather than cut short, so that success always means every byte.
std::uint16_t check(std::uint16_t address, std::uint16_t length)
{
    const std::uint8_t type = state().cardType;
    const std::size_t size = sizeOf(type);
    if (size == 0) return 14;
    if (type <= 2 && length > kLongestSmallTransfer) return 19;
    return cards::within(address, length, size) ? 0 : 19;
}

}  // namespace

extern "C" TK_API TK_STATUS TK_AT24C_OpenCard(uint8_t type)
{
    if (sizeOf(type) == 0) return 14;
    state().cardType = type;
    return cards::forwarded() ? velsor::call<500>(type) : cards::openCard(type);
}

extern "C" TK_API TK_STATUS TK_AT24C_CloseCard(void) { return cards::closeOr<501>(); }

extern "C" TK_API TK_STATUS TK_AT24C_ReadChar(uint16_t address, uint16_t length, char *text)
{
    if (!text) return 29;
    if (const std::uint16_t r = check(address, length)) return r;
    if (cards::forwarded()) return cards::forwardRead<502>(address, length, text);
    return cards::readMemory('A', address, length, text);
}

extern "C" TK_API TK_STATUS TK_AT24C_ReadString(uint16_t address, uint16_t length, uint8_t *bytes)
{
    return cards::readBytes(TK_AT24C_ReadChar, address, length, bytes);
}

extern "C" TK_API TK_STATUS TK_AT24C_WriteChar(uint16_t address, uint16_t length, const char *text)
{
    if (!text) return 29;
    if (const std::uint16_t r = check(address, length)) return r;
    if (cards::forwarded()) {
        std::string copy = cards::privateCopy(text, 2 * std::size_t{length});
        return velsor::call<503>(address, length, copy.data());
    }
    return cards::writeMemory(state().cardType, 'B', address, length, text);
}

extern "C" TK_API TK_STATUS TK_AT24C_WriteString(uint16_t address, uint16_t length,
                                                 const uint8_t *bytes)
{
    return cards::writeBytes(TK_AT24C_WriteChar, address, length, bytes);
}
