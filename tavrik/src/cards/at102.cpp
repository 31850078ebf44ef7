// AT102: two application zones of 64 bytes, a security code, two erase keys and their
// counters.
#include "cards/family_exports.h"
#include "hex.h"

#include <vector>

namespace {

using namespace tavrik;

constexpr std::uint8_t kType = 0x20;
constexpr std::size_t kCardSize = 196;  // 1568 bits
// Application zones 1 and 2; zone number 0 has none.
constexpr cards::Zone kZones[] = {{0, 0}, {22, 64}, {92, 64}};

constexpr cards::Area kFabricationCode{0, 2};
constexpr cards::Area kIssuerCode{2, 8};
constexpr cards::Area kCodeProtected{14, 8};
constexpr cards::Area kTestZone{176, 2};
// By kind: 0 the security code, 1 the erase key of zone 1, 2 that of zone 2.
constexpr cards::Area kCodes[] = {{10, 2}, {86, 6}, {156, 4}};
// By kind: 0 the security code's attempt counter, 1 the erase counter of zone 2.
constexpr cards::Area kCounters[] = {{12, 2}, {160, 16}};

template <std::size_t N>
std::optional<cards::Area> pick(const cards::Area (&areas)[N], std::uint8_t kind)
{
    if (kind >= N) return std::nullopt;
    return areas[kind];
}

std::optional<std::uint16_t> applicationAddress(std::uint8_t zone, std::uint16_t offset,
                                                std::uint16_t length)
{
    if (zone == 0) return std::nullopt;
    return cards::zoneAddress(kZones, zone, offset, length);
}

}  // namespace

TAVRIK_ZONED_DATA_EXPORTS(AT102, kType, 400, applicationAddress)

extern "C" TK_API TK_STATUS TK_AT102_VerifyPWD(uint8_t b1, uint8_t b2)
{
    return cards::presentCodeOr<404>(150, b1, b2);
}

// 'G' with the kind, then the new code of the kind's length given as text.
extern "C" TK_API TK_STATUS TK_AT102_WritePWD(uint8_t kind, uint8_t length, const char *text)
{
    if (!text) return 29;
    const auto area = pick(kCodes, kind);
    if (!area || area->length != length) return 14;
    if (cards::forwarded()) {
        std::string copy = cards::privateCopy(text, 2 * std::size_t{length});
        return velsor::call<405>(kind, length, copy.data());
    }
    std::vector<std::uint8_t> code{kind};
    code.resize(1 + length);
    hexToBytes(text, 2 * std::size_t{length}, code.data() + 1);
    return cards::changeCode(120, code.data(), code.size());
}

extern "C" TK_API TK_STATUS TK_AT102_ReadPWD(uint8_t kind, char *text)
{
    return cards::readIndexed<406>(kind, pick(kCodes, kind), text, 14);
}

extern "C" TK_API TK_STATUS TK_AT102_ReadPAC(uint8_t kind, char *text)
{
    return cards::readIndexed<407>(kind, pick(kCounters, kind), text, 14);
}

extern "C" TK_API TK_STATUS TK_AT102_ReadFC(char *text)
{
    return cards::readArea<408>(kFabricationCode, text);
}
TAVRIK_AREA_EXPORTS(AT102, kType, 409, IC, kIssuerCode, kIssuerCode)
TAVRIK_AREA_EXPORTS(AT102, kType, 411, CPZ, kCodeProtected, kCodeProtected)
TAVRIK_AREA_EXPORTS(AT102, kType, 413, MTZ, kTestZone, kTestZone)

// Erases length bytes from card address `address` with 'Y'.
extern "C" TK_API TK_STATUS TK_AT102_EraseWord(uint16_t address, uint16_t length)
{
    if (!cards::within(address, length, kCardSize)) return 19;
    if (cards::forwarded()) return velsor::call<415>(address, length);
    return cards::confirmedCommand('Y', {address, length}, 0, 48);
}

// Erases application zone 1 or 2 with its erase key (6 or 4 bytes, as text).
extern "C" TK_API TK_STATUS TK_AT102_EraseApp(uint8_t zone, uint8_t keyLength, const char *key)
{
    const auto area = pick(kCodes, zone);
    if (!key || zone == 0 || !area || area->length != keyLength) return 14;
    if (cards::forwarded()) {
        std::string copy = cards::privateCopy(key, 2 * std::size_t{keyLength});
        return velsor::call<416>(zone, keyLength, copy.data());
    }
    std::vector<std::uint8_t> bytes{zone};
    bytes.resize(1 + keyLength);
    hexToBytes(key, 2 * std::size_t{keyLength}, bytes.data() + 1);
    return cards::plainCommand(']', bytes.data(), bytes.size());
}

extern "C" TK_API TK_STATUS TK_AT102_EraseGlobal(void) { return cards::commandOr<417>('\\'); }
extern "C" TK_API TK_STATUS TK_AT102_AZ2EraseUnlimited(void) { return cards::commandOr<418>('W'); }
extern "C" TK_API TK_STATUS TK_AT102_WriteFuse(void) { return cards::commandOr<419>('X'); }
