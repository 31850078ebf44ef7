// AT6601: zones 0-3. Zones 1-3 are shorter than 512 bytes: each ends where the security code
// of the next zone (or the memory test zone) begins, so that a user-zone write cannot reach it.
#include "cards/zone_card.h"

namespace {

using namespace tavrik;

// One attempt counter for zones 1-3 together, read through index 6, 7 or 8.
constexpr cards::ZoneCardLayout kLayout{
    0x24,
    {{{27, 512}, {1227, 256}, {1488, 256}, {1749, 289}, {0, 0}}},
    4,
    {10, 21, 1222, 1483, 1744, 24, 1224, 1485, 1746},
    {12, 23, 0, 0, 0, 26, 1226, 1487, 1748},
    150,
};

}  // namespace

TAVRIK_ZONE_CARD_EXPORTS(AT6601, kLayout, 350)
