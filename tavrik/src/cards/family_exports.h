// Exports that several memory families share, written out by macros so that each family
// keeps its own C names and its Velsor ordinals, counted from B.
#pragma once
#include "cards/areas.h"
#include "tavrik.h"

// A named area as text: Read<Name> at ordinal B, Write<Name> at B + 1.
#define TAVRIK_AREA_EXPORTS(F, TYPE, B, Name, READ, WRITE)                                     \
    extern "C" TK_API TK_STATUS TK_##F##_Read##Name(char *text)                                \
    {                                                                                          \
        return cards::readArea<B>(READ, text);                                                 \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_Write##Name(const char *text)                         \
    {                                                                                          \
        return cards::writeArea<B + 1>(TYPE, WRITE, text);                                     \
    }

// Open, close and the user data addressed as (offset, length, zone), at ordinals B to B + 3;
// ADDRESS(zone, offset, length) maps a request to its card address, none when it leaves the
// zone.
#define TAVRIK_ZONED_DATA_EXPORTS(F, TYPE, B, ADDRESS)                                         \
    extern "C" TK_API TK_STATUS TK_##F##_OpenCard(void) { return cards::openOr<B>(TYPE); }     \
    extern "C" TK_API TK_STATUS TK_##F##_CloseCard(void) { return cards::closeOr<B + 1>(); }   \
    extern "C" TK_API TK_STATUS TK_##F##_ReadChar(uint16_t offset, uint16_t length,            \
                                                  uint8_t zone, char *text)                    \
    {                                                                                          \
        return cards::readZone<B + 2>(ADDRESS(zone, offset, length), offset, length, zone,     \
                                      text);                                                   \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteChar(uint16_t offset, uint16_t length,           \
                                                   uint8_t zone, const char *text)             \
    {                                                                                          \
        return cards::writeZone<B + 3>(TYPE, ADDRESS(zone, offset, length), offset, length,    \
                                       zone, text);                                            \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_ReadString(uint16_t offset, uint16_t length,          \
                                                    uint8_t zone, uint8_t *bytes)              \
    {                                                                                          \
        return cards::readBytes(                                                               \
            [zone](uint16_t o, uint16_t n, char *t) { return TK_##F##_ReadChar(o, n, zone, t); }, \
            offset, length, bytes);                                                            \
    }                                                                                          \
    extern "C" TK_API TK_STATUS TK_##F##_WriteString(uint16_t offset, uint16_t length,         \
                                                     uint8_t zone, const uint8_t *bytes)       \
    {                                                                                          \
        return cards::writeBytes(                                                              \
            [zone](uint16_t o, uint16_t n, const char *t) {                                    \
                return TK_##F##_WriteChar(o, n, zone, t);                                      \
            },                                                                                 \
            offset, length, bytes);                                                            \
    }
