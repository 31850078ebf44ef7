// AT1604: zones 0-3 and absolute addressing as zone 4.
#include "cards/zone_card.h"

namespace {

using namespace tavrik;

// Each zone runs up to the security code of the next; the card has 2048 bytes.
constexpr cards::ZoneCardLayout kLayout{
    0x21,
    {{{27, 512}, {545, 512}, {1063, 512}, {1581, 457}, {0, 2048}}},
    5,
    {10, 21, 539, 1057, 1575, 24, 542, 1060, 1578},
    {12, 23, 541, 1059, 1577, 26, 544, 1062, 1580},
    100,
};

}  // namespace

TAVRIK_ZONE_CARD_EXPORTS(AT1604, kLayout, 300)
