// SLE4406 counter cards: 13 bytes and a three-byte code, on byte-protocol readers only.
#include "cards/areas.h"
#include "tavrik.h"

namespace {

using namespace tavrik;

constexpr std::uint8_t kType = 0x34;
constexpr std::size_t kSize = 13;
constexpr std::uint16_t kUnsupported = 34;

}  // namespace

extern "C" TK_API TK_STATUS TK_SLE4406_OpenCard(void)
{
    return cards::forwarded() ? kUnsupported : cards::openCard(kType);
}

extern "C" TK_API TK_STATUS TK_SLE4406_CloseCard(void)
{
    return cards::forwarded() ? kUnsupported : 0;
}

extern "C" TK_API TK_STATUS TK_SLE4406_ReadChar(uint16_t address, uint16_t length, char *text)
{
    if (!text) return 29;
    if (!cards::within(address, length, kSize)) return 19;
    if (cards::forwarded()) return kUnsupported;
    return cards::readMemory('A', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4406_ReadString(uint16_t address, uint16_t length, uint8_t *bytes)
{
    return cards::readBytes(TK_SLE4406_ReadChar, address, length, bytes);
}

extern "C" TK_API TK_STATUS TK_SLE4406_WriteChar(uint16_t address, uint16_t length,
                                                 const char *text)
{
    if (!text) return 29;
    if (!cards::within(address, length, kSize)) return 19;
    if (cards::forwarded()) return kUnsupported;
    return cards::writeMemory(kType, 'B', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4406_WriteString(uint16_t address, uint16_t length,
                                                   const uint8_t *bytes)
{
    return cards::writeBytes(TK_SLE4406_WriteChar, address, length, bytes);
}

extern "C" TK_API TK_STATUS TK_SLE4406_VerifyPWD(uint8_t b1, uint8_t b2, uint8_t b3)
{
    if (cards::forwarded()) return kUnsupported;
    const std::uint8_t code[] = {b1, b2, b3};
    return cards::presentCode(100, code, sizeof code);
}

extern "C" TK_API TK_STATUS TK_SLE4406_WritePWD(uint8_t b1, uint8_t b2, uint8_t b3)
{
    if (cards::forwarded()) return kUnsupported;
    const std::uint8_t code[] = {b1, b2, b3};
    return cards::changeCode(200, code, sizeof code);
}

extern "C" TK_API TK_STATUS TK_SLE4406_LendBit(uint8_t a, uint8_t b)
{
    return cards::forwarded() ? kUnsupported : cards::counterCommand(a, b);
}

extern "C" TK_API TK_STATUS TK_SLE4406_Personal(void)
{
    return cards::forwarded() ? kUnsupported : cards::plainCommand('f');
}
