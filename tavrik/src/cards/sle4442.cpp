// SLE4442: 256 bytes of main memory, bytes 0-31 protectable, a three-byte security code.
#include "cards/areas.h"
#include "hex.h"
#include "state.h"
#include "tavrik.h"
#include "transport/timing.h"

namespace {

using namespace tavrik;

constexpr std::uint8_t kType = 0x32;
constexpr int kSize = 256;
constexpr int kProtectable = 32;

// Bounds in 32 bits: address + length must not wrap around.
bool outOfMemory(std::uint16_t address, std::uint16_t length)
{
    return address >= kSize || int{address} + int{length} > kSize;
}

// Four protection bytes (byte j covers bytes 8j to 8j+7, bit k byte 8j+k) become one pair
// per protectable byte: "01" while it can be written, "00" once protected.
void expandProtection(const std::uint8_t bits[4], char *text)
{
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 8; ++k) {
            text[16 * j + 2 * k] = '0';
            text[16 * j + 2 * k + 1] = (bits[j] >> k) & 1 ? '1' : '0';
        }
}

std::uint16_t writeForwarded(std::uint16_t address, std::uint16_t length, const char *text)
{
    std::string copy = cards::privateCopy(text, 2 * std::size_t{length});
    if (length != kSize) return velsor::call<605>(address, length, copy.data());
    // A whole card goes in two parts: the protectable area first.
    velsor::call<605>(std::uint16_t{0}, std::uint16_t{kProtectable}, copy.data());
    pause(100);
    return velsor::call<605>(std::uint16_t{kProtectable}, std::uint16_t{kSize - kProtectable},
                             copy.data() + 2 * kProtectable);
}

std::uint16_t protectForwarded(std::uint16_t address, std::uint16_t length, const char *text)
{
    std::string memory(2 * kSize, '\0');
    if (cards::forwardRead<604>(std::uint16_t{0}, std::uint16_t{kSize}, memory.data()) != 0)
        return 33;
    return cards::protectChangedRuns(address, length, text, state().protectionImage, address,
                                     memory, address,
                                     [](std::uint16_t a, std::uint16_t n, char *run) {
                                         return velsor::call<610>(a, n, run);
                                     });
}

}  // namespace

extern "C" TK_API TK_STATUS TK_SLE4442_OpenCard(void) { return cards::openOr<602>(kType); }
extern "C" TK_API TK_STATUS TK_SLE4442_CloseCard(void) { return cards::closeOr<603>(); }

extern "C" TK_API TK_STATUS TK_SLE4442_ReadChar(uint16_t address, uint16_t length, char *text)
{
    if (!text) return 29;
    if (outOfMemory(address, length)) return 19;
    if (cards::forwarded()) return cards::forwardRead<604>(address, length, text);
    return cards::readMemory('A', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4442_ReadString(uint16_t address, uint16_t length, uint8_t *bytes)
{
    return cards::readBytes(TK_SLE4442_ReadChar, address, length, bytes);
}

extern "C" TK_API TK_STATUS TK_SLE4442_WriteChar(uint16_t address, uint16_t length, const char *text)
{
    if (!text) return 29;
    if (outOfMemory(address, length)) return 19;
    if (cards::forwarded()) return writeForwarded(address, length, text);
    return cards::writeMemory(kType, 'B', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4442_WriteString(uint16_t address, uint16_t length,
                                                  const uint8_t *bytes)
{
    return cards::writeBytes(TK_SLE4442_WriteChar, address, length, bytes);
}

extern "C" TK_API TK_STATUS TK_SLE4442_PReadChar(char *text)
{
    if (!text) return 29;
    char raw[8];
    const std::uint16_t r =
        cards::forwarded() ? velsor::call<609>(raw) : cards::readReply('E', 4, raw, 17);
    if (r != 0) return 17;
    std::uint8_t bits[4];
    hexToBytes(raw, sizeof raw, bits);
    expandProtection(bits, text);
    state().protectionImage.assign(text, 2 * kProtectable);
    return 0;
}

extern "C" TK_API TK_STATUS TK_SLE4442_PWriteChar(uint16_t address, uint16_t length, const char *text)
{
    if (!text) return 29;
    if (address >= kProtectable || int{address} + int{length} > kProtectable) return 19;
    if (cards::forwarded()) return protectForwarded(address, length, text);
    return cards::writeMemory(kType, 'F', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4442_VerifyPWD(uint8_t b1, uint8_t b2, uint8_t b3)
{
    return cards::presentCodeOr<606>(120, b1, b2, b3);
}

extern "C" TK_API TK_STATUS TK_SLE4442_WritePWD(uint8_t b1, uint8_t b2, uint8_t b3)
{
    return cards::changeCodeOr<613>(300, b1, b2, b3);
}

// Security memory: the error counter, then the three code bytes.
extern "C" TK_API TK_STATUS TK_SLE4442_ReadPWD(char *text)
{
    return cards::readSecurityPartOr<612>(4, 2, 6, 32, text);
}

extern "C" TK_API TK_STATUS TK_SLE4442_ReadPAC(char *text)
{
    return cards::readSecurityPartOr<611>(4, 0, 2, 16, text);
}
