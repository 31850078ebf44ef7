// AT153: three user zones of 64 bytes; the configuration area from 768. Its attempt counter
// is the first byte of the cryptogram as read, and is not compared after an authentication.
#include "cards/config_card.h"

namespace {

using namespace tavrik;

constexpr cards::ConfigCardLayout kLayout{
    .type = 0x22,
    .zones = {{{0, 64}, {64, 64}, {128, 64}}},
    .zoneCount = 3,
    .lotHistory = {964, 4},
    .fabrication = {968, 2},
    .manufacturer = {970, 2},
    .accessRegisters = 972,
    .noRegister = 34,
    .attempts = {992, 1},
    .identification = {985, 7},
    .cryptogramRead = {992, 8},
    .cryptogramWrite = {993, 7},
    .seed = {1000, 8},
    .testZone = {975, 1},
    .fuses = {1024, 1},
    .sets = {1008, 1016, 1012, 1020},
    .setCount = 4,
    .verifiableSets = 4,
    .challengePreset = {},
    .comparedFrom = 2,
};

constexpr cards::Area kIssuerCode{976, 8};
constexpr cards::Area kDeviceConfiguration{984, 1};

}  // namespace

TAVRIK_CONFIG_CARD_EXPORTS(AT153, kLayout, 250, 255, 256)

TAVRIK_AREA_EXPORTS(AT153, kLayout.type, 278, IC, kIssuerCode, kIssuerCode)
TAVRIK_AREA_EXPORTS(AT153, kLayout.type, 280, DCR, kDeviceConfiguration, kDeviceConfiguration)
