#include "cards/areas.h"

namespace tavrik::cards {

std::optional<std::uint16_t> zoneAddress(std::span<const Zone> zones, std::uint8_t zone,
                                         std::uint16_t offset, std::uint16_t length)
{
    if (zone >= zones.size() || !within(offset, length, zones[zone].size)) return std::nullopt;
    return static_cast<std::uint16_t>(zones[zone].base + offset);
}

}  // namespace tavrik::cards
