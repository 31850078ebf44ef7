// AT1608 and AT153: user zones, a configuration area with password sets, and the
// authentication by the cipher of auth_cipher.h. One macro gives a family its exports, with
// its Velsor ordinals counted from `base` (the authentication and the password write have
// their own).
#pragma once
#include "cards/auth_cipher.h"
#include "cards/family_exports.h"

#include <array>

namespace tavrik::cards {

struct ConfigCardLayout {
    std::uint8_t type;
    std::array<Zone, 8> zones;
    std::size_t zoneCount;
    Area lotHistory, fabrication, manufacturer;
    std::uint16_t accessRegisters;  // AR0; one byte per zone
    std::uint16_t noRegister;       // what a zone without an access register gives
    Area attempts, identification, cryptogramRead, cryptogramWrite, seed, testZone, fuses;
    std::array<std::uint16_t, 16> sets;  // attempt counter of each password set; code after it
    std::size_t setCount;
    std::size_t verifiableSets;
    authcipher::Block challengePreset;
    std::size_t comparedFrom;  // the first character of the cryptogram text compared

    std::optional<std::uint16_t> address(std::uint8_t zone, std::uint16_t offset,
                                         std::uint16_t length) const
    {
        return zoneAddress({zones.data(), zoneCount}, zone, offset, length);
    }
    std::optional<Area> counter(std::uint8_t set) const
    {
        if (set >= setCount) return std::nullopt;
        return Area{sets[set], 1};
    }
    std::optional<Area> password(std::uint8_t set) const
    {
        if (set >= setCount) return std::nullopt;
        return Area{static_cast<std::uint16_t>(sets[set] + 1), 3};
    }
    std::optional<Area> accessRegister(std::uint8_t zone) const
    {
        if (zone >= zoneCount) return std::nullopt;
        return Area{static_cast<std::uint16_t>(accessRegisters + zone), 1};
    }
};

namespace configcard {

// The byte-protocol authentication.
std::uint16_t authenticate(const ConfigCardLayout &l, const std::uint8_t *seed,
                           const std::uint8_t *cryptogram);

// Velsor gets the caller's own seed and cryptogram, in binary data mode.
template <int Ordinal>
std::uint16_t auth(const ConfigCardLayout &l, const std::uint8_t *seed,
                   const std::uint8_t *cryptogram)
{
    if (!seed || !cryptogram) return 29;
    if (!forwarded()) return authenticate(l, seed, cryptogram);
    velsor::BinaryDataMode binary;
    return velsor::call<Ordinal>(seed, cryptogram);
}

// 'H' with the set and its three code bytes.
template <int Ordinal>
std::uint16_t verifyOr(const ConfigCardLayout &l, std::uint8_t set, std::uint8_t b1,
                       std::uint8_t b2, std::uint8_t b3)
{
    if (set >= l.verifiableSets) return 19;
    return presentCodeOr<Ordinal>(150, set, b1, b2, b3);
}

}  // namespace configcard

}  // namespace tavrik::cards

#define TAVRIK_CONFIG_CARD_EXPORTS(F, L, B, AUTH, WRITEPWD)                                    \
    TAVRIK_ZONED_DATA_EXPORTS(F, L.type, B, L.address)                                         \
    extern "C" TK_API TK_STATUS TK_##F##_VerifyPWD(uint8_t set, uint8_t b1, uint8_t b2,        \
                                                   uint8_t b3)                                 \
    {                                                                                          \
        return cards::configcard::verifyOr<B + 4>(L, set, b1, b2, b3);                         \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_Auth(const uint8_t *seed, const uint8_t *cryptogram)  \
    {                                                                                          \
        return cards::configcard::auth<AUTH>(L, seed, cryptogram);                             \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WritePWD(uint8_t set, const char *text)               \
    {                                                                                          \
        return cards::writeIndexed<WRITEPWD>(L.type, set, L.password(set), text);              \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadPWD(uint8_t set, char *text)                      \
    {                                                                                          \
        return cards::readIndexed<B + 7>(set, L.password(set), text);                          \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadPAC(uint8_t set, char *text)                      \
    {                                                                                          \
        return cards::readIndexed<B + 8>(set, L.counter(set), text);                           \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WritePAC(uint8_t set, const char *text)               \
    {                                                                                          \
        return cards::writeIndexed<B + 9>(L.type, set, L.counter(set), text);                  \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadLHC(char *text)                                   \
    {                                                                                          \
        return cards::readArea<B + 10>(L.lotHistory, text);                                    \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadFC(char *text)                                    \
    {                                                                                          \
        return cards::readArea<B + 11>(L.fabrication, text);                                   \
    }                                                                                          \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 12, CMC, L.manufacturer, L.manufacturer)                \
    extern "C" TK_API TK_STATUS TK_##F##_ReadAR(uint8_t zone, char *text)                      \
    {                                                                                          \
        return cards::readIndexed<B + 14>(zone, L.accessRegister(zone), text, L.noRegister);   \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteAR(uint8_t zone, const char *text)               \
    {                                                                                          \
        return cards::writeIndexed<B + 15>(L.type, zone, L.accessRegister(zone), text,         \
                                           L.noRegister);                                      \
    }                                                                                          \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 16, AAC, L.attempts, L.attempts)                        \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 18, Nc, L.identification, L.identification)             \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 20, Ci, L.cryptogramRead, L.cryptogramWrite)            \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 22, Gc, L.seed, L.seed)                                 \
    TAVRIK_AREA_EXPORTS(F, L.type, B + 24, MTZ, L.testZone, L.testZone)                        \
    extern "C" TK_API TK_STATUS TK_##F##_ReadFuse(char *text)                                  \
    {                                                                                          \
        return cards::readArea<B + 26>(L.fuses, text);                                         \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteFuse(void) { return cards::commandOr<B + 27>('X'); }
