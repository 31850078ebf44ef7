// AT1608: eight user zones of 256 bytes; the configuration area from 2048.
#include "cards/config_card.h"

namespace {

using namespace tavrik;

constexpr cards::ConfigCardLayout kLayout{
    .type = 0x23,
    .zones = {{{0, 256}, {256, 256}, {512, 256}, {768, 256}, {1024, 256}, {1280, 256},
               {1536, 256}, {1792, 256}}},
    .zoneCount = 8,
    .lotHistory = {2052, 4},
    .fabrication = {2056, 2},
    .manufacturer = {2060, 4},
    .accessRegisters = 2064,
    .noRegister = 19,
    .attempts = {2080, 1},
    .identification = {2081, 7},
    .cryptogramRead = {2088, 8},
    .cryptogramWrite = {2088, 8},
    .seed = {2096, 8},
    .testZone = {2104, 8},
    .fuses = {2176, 1},
    // Write passwords of sets 0-7, then their read passwords.
    .sets = {2112, 2120, 2128, 2136, 2144, 2152, 2160, 2168, 2116, 2124, 2132, 2140, 2148, 2156,
             2164, 2172},
    .setCount = 16,
    .verifiableSets = 8,
    .challengePreset = {1, 2, 3, 4, 5, 6, 7, 8},
    .comparedFrom = 0,
};

}  // namespace

TAVRIK_CONFIG_CARD_EXPORTS(AT1608, kLayout, 200, 206, 205)
