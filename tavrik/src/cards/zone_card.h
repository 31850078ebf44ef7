// AT1604 and AT6601: four user zones with a security code, an erase key and an attempt
// counter each, and the same named areas; they differ only in where the zones lie. One
// macro gives a family its exports, with its Velsor ordinals counted from `base`.
#pragma once
#include "cards/areas.h"
#include "tavrik.h"

#include <array>

namespace tavrik::cards {

struct ZoneCardLayout {
    std::uint8_t type;
    std::array<Zone, 5> zones;
    std::size_t zoneCount;
    std::array<std::uint16_t, 9> codes;     // 2-byte security codes by index
    std::array<std::uint16_t, 9> counters;  // attempt counters by index; 0 where there is none
    int verifyPauseMs;

    std::span<const Zone> userZones() const { return {zones.data(), zoneCount}; }
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
    extern "C" TK_API TK_STATUS TK_##F##_OpenCard(void) { return cards::openOr<B>(L.type); }   \
    extern "C" TK_API TK_STATUS TK_##F##_CloseCard(void) { return cards::closeOr<B + 1>(); }   \
    extern "C" TK_API TK_STATUS TK_##F##_ReadChar(uint16_t address, uint16_t length,           \
                                                  uint8_t zone, char *text)                    \
    {                                                                                          \
        return cards::readZone<B + 2>(cards::zoneAddress(L.userZones(), zone, address, length), \
                                      address, length, zone, text);                            \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteChar(uint16_t address, uint16_t length,          \
                                                   uint8_t zone, const char *text)             \
    {                                                                                          \
        return cards::writeZone<B + 3>(L.type,                                                 \
                                       cards::zoneAddress(L.userZones(), zone, address, length), \
                                       address, length, zone, text);                           \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadString(uint16_t address, uint16_t length,         \
                                                    uint8_t zone, uint8_t *bytes)              \
    {                                                                                          \
        return cards::readBytes(                                                               \
            [zone](uint16_t a, uint16_t n, char *t) { return TK_##F##_ReadChar(a, n, zone, t); }, \
            address, length, bytes);                                                           \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteString(uint16_t address, uint16_t length,        \
                                                     uint8_t zone, const uint8_t *bytes)       \
    {                                                                                          \
        return cards::writeBytes([zone](uint16_t a, uint16_t n,                                \
                                        const char *t) { return TK_##F##_WriteChar(a, n, zone, t); }, \
                                 address, length, bytes);                                      \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_EraseChar(uint16_t address, uint16_t length,          \
                                                   uint8_t zone)                               \
    {                                                                                          \
        return cards::eraseZone<B + 4>(cards::zoneAddress(L.userZones(), zone, address, length), \
                                       address, length, zone);                                 \
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
    extern "C" TK_API TK_STATUS TK_##F##_ReadIC(char *text)                                    \
    {                                                                                          \
        return cards::readArea<B + 12>(cards::zonecard::kIssuerCode, text);                    \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteIC(const char *text)                             \
    {                                                                                          \
        return cards::writeArea<B + 13>(L.type, cards::zonecard::kIssuerCode, text);          \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadCPZ(char *text)                                   \
    {                                                                                          \
        return cards::readArea<B + 14>(cards::zonecard::kCodeProtected, text);                 \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteCPZ(const char *text)                            \
    {                                                                                          \
        return cards::writeArea<B + 15>(L.type, cards::zonecard::kCodeProtected, text);       \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadMTZ(char *text)                                   \
    {                                                                                          \
        return cards::readArea<B + 16>(cards::zonecard::kTestRead, text);                      \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteMTZ(const char *text)                            \
    {                                                                                          \
        return cards::writeArea<B + 17>(L.type, cards::zonecard::kTestWrite, text);           \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteFuse(void) { return cards::commandOr<B + 18>('X'); }
