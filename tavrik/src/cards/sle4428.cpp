// SLE4428: 1024 bytes of main memory, each protectable, a two-byte security code. The last
// three bytes hold the card's own security data and are never written through here.
#include "cards/areas.h"
#include "state.h"
#include "tavrik.h"

#include <optional>

namespace {

using namespace tavrik;

constexpr std::uint8_t kType = 0x30;
constexpr int kSize = 1024;
constexpr int kWritableEnd = 1021;

bool readOutOfBounds(std::uint16_t address, std::uint16_t length)
{
    return address > kSize - 1 || int{address} + int{length} > kSize;
}

// Writes that run past byte 1020 are shortened by three bytes so that they stop before the
// security bytes; nullopt when the write is out of bounds.
std::optional<std::uint16_t> writableLength(std::uint16_t address, std::uint16_t length)
{
    const int end = int{address} + int{length};
    if (address > kSize || end > kSize) return std::nullopt;
    if (end <= kWritableEnd) return length;
    if (length < 3) return std::nullopt;
    return static_cast<std::uint16_t>(length - 3);
}

std::uint16_t protectForwarded(std::uint16_t address, std::uint16_t length, const char *text)
{
    std::string memory(2 * std::size_t{length}, '\0');
    if (cards::forwardRead<654>(address, length, memory.data()) != 0) return 33;
    return cards::protectChangedRuns(address, length, text, state().protectionImage, 0, memory, 0,
                                     [](std::uint16_t a, std::uint16_t n, char *run) {
                                         return velsor::call<660>(a, n, run);
                                     });
}

}  // namespace

extern "C" TK_API TK_STATUS TK_SLE4428_OpenCard(void) { return cards::openOr<652>(kType); }
extern "C" TK_API TK_STATUS TK_SLE4428_CloseCard(void) { return cards::closeOr<653>(); }

extern "C" TK_API TK_STATUS TK_SLE4428_ReadChar(uint16_t address, uint16_t length, char *text)
{
    if (!text) return 29;
    if (cards::forwarded()) return cards::forwardRead<654>(address, length, text);
    if (readOutOfBounds(address, length)) return 19;
    return cards::readMemory('A', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4428_ReadString(uint16_t address, uint16_t length, uint8_t *bytes)
{
    return cards::readBytes(TK_SLE4428_ReadChar, address, length, bytes);
}

extern "C" TK_API TK_STATUS TK_SLE4428_WriteChar(uint16_t address, uint16_t length, const char *text)
{
    if (!text) return 29;
    const auto n = writableLength(address, length);
    if (!n) return 19;
    if (cards::forwarded()) {
        std::string copy = cards::privateCopy(text, 2 * std::size_t{*n});
        return velsor::call<655>(address, *n, copy.data());
    }
    return cards::writeMemory(kType, 'B', address, *n, text);
}

extern "C" TK_API TK_STATUS TK_SLE4428_WriteString(uint16_t address, uint16_t length,
                                                  const uint8_t *bytes)
{
    return cards::writeBytes(TK_SLE4428_WriteChar, address, length, bytes);
}

// One pair per byte: "01" while it can be written, "00" once protected.
extern "C" TK_API TK_STATUS TK_SLE4428_PReadChar(uint16_t address, uint16_t length, char *text)
{
    if (!text) return 29;
    if (cards::forwarded()) {
        const std::uint16_t r = velsor::call<659>(address, length, text);
        if (r == 0) state().protectionImage.assign(text, 2 * std::size_t{length});
        return r;
    }
    if (readOutOfBounds(address, length)) return 19;
    return cards::readMemory('E', address, length, text);
}

extern "C" TK_API TK_STATUS TK_SLE4428_PWriteChar(uint16_t address, uint16_t length, const char *text)
{
    if (!text) return 29;
    const auto n = writableLength(address, length);
    if (!n) return 19;
    if (cards::forwarded()) return protectForwarded(address, *n, text);
    return cards::writeMemory(kType, 'F', address, *n, text);
}

extern "C" TK_API TK_STATUS TK_SLE4428_VerifyPWD(uint8_t b1, uint8_t b2)
{
    return cards::presentCodeOr<656>(150, b1, b2);
}

extern "C" TK_API TK_STATUS TK_SLE4428_WritePWD(uint8_t b1, uint8_t b2)
{
    return cards::changeCodeOr<663>(300, b1, b2);
}

extern "C" TK_API TK_STATUS TK_SLE4428_ReadPWD(char *text)
{
    return cards::readSecurityPartOr<662>(3, 2, 4, 32, text);
}

extern "C" TK_API TK_STATUS TK_SLE4428_ReadPAC(char *text)
{
    return cards::readSecurityPartOr<661>(3, 0, 2, 16, text);
}
