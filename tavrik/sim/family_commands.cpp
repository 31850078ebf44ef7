// The byte-protocol commands of the card families besides the SLE4442 and SLE4428.
#include "simulator.h"

#include <algorithm>

namespace tavriksim {

namespace {

constexpr std::size_t kPageSize = 264;

void fill(MemoryCard &c, std::size_t at, std::size_t n)
{
    if (!c.verified && !c.codeless) return;
    for (std::size_t i = at; i < at + n && i < c.memory.size(); ++i) c.memory[i] = 0xFF;
}

std::uint8_t answer(bool ok) { return ok ? 0x00 : 0x02; }

}  // namespace

void Simulator::familyCommand(std::uint8_t cmd)
{
    MemoryCard &c = *card_;
    switch (cmd) {
    case 'H': {
        bool ok = false;
        switch (c.family) {
        case Family::At102: ok = c.presentSlot(0, take(2)); break;
        case Family::At1604:
        case Family::At6601: {
            const Bytes b = take(3);
            ok = c.presentSlot(b[0], Bytes(b.begin() + 1, b.end()));
            break;
        }
        case Family::At1608:
        case Family::At153: {
            const Bytes b = take(4);
            ok = c.presentSlot(b[0], Bytes(b.begin() + 1, b.end()));
            break;
        }
        default: ok = c.present(take(3)); break;
        }
        replyHex({answer(ok)});
        return;
    }
    case 'G': {
        if (c.family != Family::At102) {
            replyHex({answer(c.changeCode(take(3)))});
            return;
        }
        const std::uint8_t kind = next();
        if (kind >= c.codeSlots.size()) {
            replyHex({0x02});
            return;
        }
        const Bytes code = take(c.codeSlots[kind].length);
        if (c.verified)
            std::copy(code.begin(), code.end(),
                      c.memory.begin() + static_cast<std::ptrdiff_t>(c.codeSlots[kind].at));
        replyHex({answer(c.verified)});
        return;
    }
    case 'Y': {
        const std::uint16_t address = word(), length = word();
        fill(c, address, length);
        replyHex({0x00, '.'});
        return;
    }
    case 'X': c.fuseBlown = true; return;
    case '\\':
        fill(c, 22, 64);
        fill(c, 92, 64);
        return;
    case 'W': fill(c, 92, 64); return;
    case ']': {
        const std::uint8_t zone = next();
        const Bytes key = take(zone == 1 ? 6 : 4);
        if (zone >= 1 && zone <= 2 && c.presentSlot(zone, key)) fill(c, zone == 1 ? 22 : 92, 64);
        return;
    }
    case 'b': {
        const std::uint16_t page = word(), offset = word(), length = word();
        replyHex(c.read(page * kPageSize + offset, length));
        return;
    }
    case 'c': {
        const std::uint16_t page = word(), offset = word(), length = word();
        c.write(page * kPageSize + offset, receiveBlocks(length));
        return;
    }
    case 'd':
        if (c.family == Family::At45d) {
            const std::uint16_t first = word(), count = word();
            fill(c, first * 8 * kPageSize, count * 8 * kPageSize);
            replyHex({0x00, '.'});
        } else {
            // Counter cards: clear the bits of b in stage a.
            const std::uint8_t a = next(), b = next();
            if (a < c.memory.size()) c.memory[a] = static_cast<std::uint8_t>(c.memory[a] & ~b);
            replyHex({0x00, 0x02});
        }
        return;
    case 'e': {
        const std::uint16_t first = word(), count = word();
        fill(c, first * kPageSize, count * kPageSize);
        replyHex({0x00, '.'});
        return;
    }
    case 'f': return;
    case 0x60: replyHex({answer(take(3) == c.unlockKey)}); return;
    case '^':
        c.challenge = take(8);
        replyHex({0x00, '.'});
        return;
    case '_':
        // The card does not say whether it took the cryptogram; the host reads Ci to know.
        c.authenticate(take(8));
        replyHex({0x00, '.'});
        return;
    case '[': processorReply(c.answerToReset); return;
    case 'i': replyHex({0x00}); return;
    case 'j': replyHex({static_cast<std::uint8_t>(next() ? 1 : 0)}); return;
    case 'h': {
        const std::uint16_t length = word();
        processorReply(answerApdu(c, receiveBlocks(length)));
        return;
    }
    case 'Q': processorPowered_ = false; return;
    default: return;
    }
}

// A processor card's answer: status, count, the bytes, and two closing units.
void Simulator::processorReply(const Bytes &data)
{
    Bytes out(data.size() + 4);
    out[0] = 0x00;
    out[1] = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), out.begin() + 2);
    out[out.size() - 2] = 0x00;
    out[out.size() - 1] = '.';
    replyHex(out);
}

}  // namespace tavriksim
