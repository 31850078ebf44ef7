// Values on contactless cards: value blocks on types 80 and 81, a 16-bit value in page 4 or 5
// on type 82.
#include "cards/contactless.h"

#include "cards/areas.h"
#include "tavrik.h"

namespace {

using namespace tavrik;
using namespace tavrik::contactless;

// A read of page 4 gives pages 4 and 5; the value is in page 5 while page 4 is blank.
bool pageFourBlank(const std::vector<std::uint8_t> &d)
{
    return d[0] == 0xFF && d[1] == 0xFF && d[2] == 0xFF && d[3] == 0xFF;
}

std::uint16_t pageValue(const std::vector<std::uint8_t> &d)
{
    return pageFourBlank(d) ? static_cast<std::uint16_t>(d[4] | d[5] << 8)
                            : static_cast<std::uint16_t>(d[0] | d[1] << 8);
}

std::uint16_t valueFrame(std::uint8_t op, std::uint8_t source, std::uint32_t v, std::uint8_t target)
{
    std::vector<std::uint8_t> reply;
    const std::uint8_t params[] = {op,
                                   source,
                                   static_cast<std::uint8_t>(v),
                                   static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16),
                                   static_cast<std::uint8_t>(v >> 24),
                                   target};
    if (const std::uint16_t r = exchange(kValue, params, 23, reply)) return r;
    return reply[0] == 0x06 ? 26 : 0;
}

// Page cards count up by writing page 4 afresh: value low, high and their complements.
std::uint16_t incrementPages(std::uint32_t by)
{
    std::vector<std::uint8_t> d;
    if (const std::uint16_t r = readBlock(4, d)) return r;
    const std::uint64_t next = std::uint64_t{pageValue(d)} + by;
    if (next > 0xFFFF) return 14;
    const auto lo = static_cast<std::uint8_t>(next), hi = static_cast<std::uint8_t>(next >> 8);
    const std::uint8_t raw[] = {lo, hi, static_cast<std::uint8_t>(~lo),
                                static_cast<std::uint8_t>(~hi)};
    return writeBlock(4, raw);
}

std::uint16_t decrementPages(std::uint32_t by)
{
    std::vector<std::uint8_t> d;
    if (const std::uint16_t r = readBlock(4, d)) return r;
    return valueFrame(0xC0, pageFourBlank(d) ? 5 : 4, by, 4);
}

}  // namespace

extern "C" TK_API TK_STATUS TK_Mif_Init_Value(uint8_t block)
{
    if (toVelsor()) return cards::forwardRead<717>(block);
    if (sixteenByteBlocks()) {
        const auto b = block, nb = static_cast<std::uint8_t>(0xFF - block);
        const std::uint8_t zero[16] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                       0, 0, 0, 0, b,    nb,   b,    nb};
        return writeBlock(block, zero, 24, true);
    }
    if (type() != kPages) return 24;
    const std::uint8_t start[4] = {0x00, 0x00, 0xFF, 0xFF}, blank[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    const std::uint16_t r = writeBlock(block, block == 4 ? start : blank, 24, true);
    return r == 0 && block == 4 ? writeBlock(5, blank, 24, true) : r;
}

extern "C" TK_API TK_STATUS TK_Mif_Read_Value(uint8_t block, uint32_t *value)
{
    if (!value) return 29;
    if (toVelsor()) return velsor::call<718>(block, value);
    std::vector<std::uint8_t> d;
    if (const std::uint16_t r = readBlock(type() == kPages ? 4 : block, d)) return r;
    if (type() == kMifare1k)
        *value = std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 |
                 std::uint32_t{d[3]} << 24;
    else if (type() == kPages)
        *value = pageValue(d);
    return 0;
}

extern "C" TK_API TK_STATUS TK_Mif_Increment(uint8_t block, uint32_t value)
{
    if (toVelsor()) return velsor::call<707>(block, value);
    if (type() == kPages) return incrementPages(value);
    if (!sixteenByteBlocks()) return 14;
    return valueFrame(0xC1, block, value, block);
}

extern "C" TK_API TK_STATUS TK_Mif_Decrement(uint8_t block, uint32_t value)
{
    if (toVelsor()) return velsor::call<708>(block, value);
    if (type() == kPages) return decrementPages(value);
    return valueFrame(0xC0, block, value, block);
}

// The reader moves values within the block itself; these need no frame.
extern "C" TK_API TK_STATUS TK_Mif_Restore(uint8_t block)
{
    return toVelsor() ? velsor::call<709>(block) : 0;
}
extern "C" TK_API TK_STATUS TK_Mif_Transfer(uint8_t block)
{
    return toVelsor() ? velsor::call<710>(block) : 0;
}
