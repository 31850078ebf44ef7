// Telephone cards: 32 bytes, a transport code presented as on the SLE4406 and an unlock key.
// Only a reader that went to Velsor hands them on.
#include "cards/areas.h"
#include "state.h"
#include "tavrik.h"

namespace {

using namespace tavrik;

constexpr std::uint8_t kType = 0x10;
constexpr std::size_t kSize = 32;

bool toVelsor() { return state().link == LinkKind::Velsor; }

}  // namespace

extern "C" TK_API TK_STATUS TK_TEL_OpenCard(void)
{
    return toVelsor() ? velsor::call<900>() : cards::openCard(kType);
}

extern "C" TK_API TK_STATUS TK_TEL_CloseCard(void) { return toVelsor() ? velsor::call<901>() : 0; }

extern "C" TK_API TK_STATUS TK_TEL_Read(uint16_t address, uint16_t length, char *text)
{
    if (!text) return 29;
    if (!cards::within(address, length, kSize)) return 19;
    if (toVelsor()) return cards::forwardRead<902>(address, length, text);
    return cards::readMemory('A', address, length, text);
}

extern "C" TK_API TK_STATUS TK_TEL_Write(uint16_t address, uint16_t length, const char *text)
{
    if (!text) return 29;
    if (!cards::within(address, length, kSize)) return 19;
    if (toVelsor()) {
        std::string copy = cards::privateCopy(text, 2 * std::size_t{length});
        return velsor::call<903>(address, length, copy.data());
    }
    return cards::writeMemory(kType, 'B', address, length, text);
}

extern "C" TK_API TK_STATUS TK_TEL_Reload(uint8_t a, uint8_t b)
{
    return toVelsor() ? velsor::call<904>(a, b) : cards::counterCommand(a, b);
}

extern "C" TK_API TK_STATUS TK_TEL_VerifyUK(uint8_t b1, uint8_t b2, uint8_t b3)
{
    if (toVelsor()) return velsor::call<905>(b1, b2, b3);
    const std::uint8_t key[] = {b1, b2, b3};
    return cards::presentCode(100, key, sizeof key, 0x60);
}

extern "C" TK_API TK_STATUS TK_TEL_VerifyTC(uint8_t b1, uint8_t b2, uint8_t b3)
{
    return toVelsor() ? velsor::call<906>(b1, b2, b3) : TK_SLE4406_VerifyPWD(b1, b2, b3);
}
