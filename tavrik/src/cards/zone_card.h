// AT1604 and AT6601: four user zones with a security code, an erase key and an attempt
// counter each, and the same named areas; they differ only in where the zones lie. One
// macro gives a family its exports, with its Velsor ordinals counted from `base`.
#pragma once
#include "cards/family_exports.h"

#include <array>

namespace tavrik::cards {

struct ZoneCardLayout {
    std::uint8_t type;
    std::array<Zone, 5> zones;
    std::size_t zoneCount;
    std::array<std::uint16_t, 9> codes;     // 2-byte security codes by index
    std::array<std::uint16_t, 9> counters;  // attempt counters by index; 0 where there is none
    int verifyPauseMs;

    std::optional<std::uint16_t> address(std::uint8_t zone, std::uint16_t offset,
                                         std::uint16_t length) const
    {
        return zoneAddress({zones.data(), zoneCount}, zone, offset, length);
    }
    std::optional<Area> code(std::uint8_t i) const
    {
        if (i >= codes.size()) return std::nullopt;
        return Area{codes[i], 2};
    }
    std::optional<Area> counter(std::uint8_t i) const
    {
        if (i >= counters.size() || counters[i] == 0) return std::nullopt;
        return Area{counters[i], 1};
    }
};

namespace zonecard {

constexpr Area kFabricationCode{0, 2};
constexpr Area kIssuerCode{2, 8};
constexpr Area kCodeProtected{13, 8};
// The memory test zone is read as 2 bytes and written as 4.
constexpr Area kTestRead{2038, 2};
constexpr Area kTestWrite{2038, 4};

// 'H' with the index and the two code bytes.
template <int Ordinal>
std::uint16_t verify(const ZoneCardLayout &l, std::uint8_t index, std::uint8_t b1,
                     std::uint8_t b2)
{
    if (index >= l.codes.size()) return 29;
    return presentCodeOr<Ordinal>(l.verifyPauseMs, index, b1, b2);
}

}  // namespace zonecard

}  // namespace tavrik::cards

#define TAVRIK_ZONE_CARD_EXPORTS(F, L, B)                                                      \
    TAVRIK_ZONED_DATA_EXPORTS(F, L.type, B, L.address)                                         \
    extern "C" TK_API TK_STATUS TK_##F##_EraseChar(uint16_t address, uint16_t length,          \
                                                   uint8_t zone)                               \
    {                                                                                          \
        return cards::eraseZone<B + 4>(L.address(zone, address, length), address, length, zone); \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_VerifyPWD(uint8_t index, uint8_t b1, uint8_t b2)      \
    {                                                                                          \
        return cards::zonecard::verify<B + 5>(L, index, b1, b2);                               \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WritePWD(uint8_t index, const char *text)             \
    {                                                                                          \
        return cards::writeIndexed<B + 6>(L.type, index, L.code(index), text);                 \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadValue(uint16_t address, uint32_t *value)          \
    {                                                                                          \
        if (!value) return 29;                                                                 \
        return velsor::call<B + 7>(address, value);                                            \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteValue(uint16_t address, uint32_t value)          \
    {                                                                                          \
        return velsor::call<B + 8>(address, value);                                            \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadPWD(uint8_t index, char *text)                    \
    {                                                                                          \
        return cards::readIndexed<B + 9>(index, L.code(index), text);                          \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadPAC(uint8_t index, char *text)                    \
    {                                                                                          \
        return cards::readIndexed<B + 10>(index, L.counter(index), text);                      \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadFC(char *text)                                    \
    {                                                                                          \
        return cards::readArea<B + 11>(cards::zonecard::kFabricationCode, text);               \
    }                                                                                          \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 12, IC, cards::zonecard::kIssuerCode,                   \
                        cards::zonecard::kIssuerCode)                                          \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 14, CPZ, cards::zonecard::kCodeProtected,               \
                        cards::zonecard::kCodeProtected)                                       \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 16, MTZ, cards::zonecard::kTestRead,                    \
                        cards::zonecard::kTestWrite)                                           \
    extern "C" TK_API TK_STATUS TK_##F##_WriteFuse(void) { return cards::commandOr<B + 18>('X'); }
