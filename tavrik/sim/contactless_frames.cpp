// What the simulated reader answers to the framed SAM and contactless commands. Cards of
// kinds 04h and 02h have 16-byte blocks, four to a sector with key A in the last; the other
// kinds have 4-byte pages, and a read gives two pages (one on kind 00h).
#include "simulator.h"

#include <algorithm>

namespace tavriksim {

namespace {

bool blockCard(const MemoryCard &c) { return c.kind == 0x04 || c.kind == 0x02; }

std::uint32_t littleEndian(const Bytes &b, std::size_t at)
{
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
}

// A value block: the value, its complement and the value again, then the address bytes.
Bytes valueBlock(std::uint32_t v, std::uint8_t address)
{
    Bytes b(16);
    for (int i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint8_t>(v >> (8 * i));
        b[i] = b[8 + i] = byte;
        b[4 + i] = static_cast<std::uint8_t>(~byte);
    }
    b[12] = b[14] = address;
    b[13] = b[15] = static_cast<std::uint8_t>(~address);
    return b;
}

bool isValueBlock(const Bytes &b)
{
    for (int i = 0; i < 4; ++i)
        if (b[i] != b[8 + i] || b[i] != static_cast<std::uint8_t>(~b[4 + i])) return false;
    return true;
}

}  // namespace

void Simulator::replyFrame(std::uint8_t status, const Bytes &data)
{
    Bytes out{static_cast<std::uint8_t>(data.size() + 1), status};
    for (std::uint8_t b : data) out.push_back(b);
    reply(out);
}

bool Simulator::valueOperation(MemoryCard &c, const Bytes &p)
{
    const bool increment = p[0] == 0xC1;
    const std::uint8_t source = p[1], target = p[6];
    const std::uint32_t by = littleEndian(p, 2);
    if (blockCard(c)) {
        const Bytes from = c.read(source * 16u, 16);
        if (!isValueBlock(from)) return false;
        const std::uint32_t now = littleEndian(from, 0);
        c.write(target * 16u, valueBlock(increment ? now + by : now - by, target));
        return true;
    }
    // Page cards keep a 16-bit value as low, high and their complements.
    const Bytes from = c.read(source * 4u, 4);
    const auto now = static_cast<std::uint16_t>(from[0] | from[1] << 8);
    const auto next = static_cast<std::uint16_t>(increment ? now + by : now - by);
    const auto lo = static_cast<std::uint8_t>(next), hi = static_cast<std::uint8_t>(next >> 8);
    c.write(target * 4u, {lo, hi, static_cast<std::uint8_t>(~lo), static_cast<std::uint8_t>(~hi)});
    return true;
}

void Simulator::cardFrame(std::uint8_t cmd, const Bytes &p)
{
    if (cmd == 0x19) {
        replyFrame(0x00, sam_.answerToReset);
        return;
    }
    if (cmd == 0x1A) {
        replyFrame(0x00, answerApdu(sam_, p));
        return;
    }
    if (!card_ || card_->family != Family::Contactless) {
        replyFrame(0x01);
        return;
    }
    MemoryCard &c = *card_;
    const bool blocks = blockCard(c);
    const auto readable = [&](std::uint8_t block) {
        return !blocks || authenticated_.count(block / 4);
    };
    switch (cmd) {
    case 0x01: replyFrame(0x00); return;
    case 0x03:
        replyFrame(
            0x00,
            {static_cast<std::uint8_t>(c.serial >> 24), static_cast<std::uint8_t>(c.serial >> 16),
             static_cast<std::uint8_t>(c.serial >> 8), static_cast<std::uint8_t>(c.serial)});
        return;
    case 0x04: replyFrame(0x00); return;
    case 0x06: loadedKey_.assign(p.begin() + 2, p.end()); return replyFrame(0x00);
    case 0x05: {
        const std::uint8_t sector = p[1];
        const Bytes key = c.read((sector * 4u + 3) * 16, 6);
        const bool right = loadedKey_ == key || (!blocks && loadedKey_.size() == 6);
        if (right) authenticated_.insert(sector);
        replyFrame(right ? 0x00 : 0x04);
        return;
    }
    case 0x08:
    case 0x0F: {
        const std::uint8_t block = p[0];
        if (!readable(block)) return replyFrame(0x01);
        if (blocks) return replyFrame(0x00, c.read(block * 16u, 16));
        return replyFrame(0x00, c.read(block * 4u, c.kind == 0x00 ? 4 : 8));
    }
    case 0x09:
    case 0x10: {
        const std::uint8_t block = p[0];
        if (!readable(block)) return replyFrame(0x01);
        const Bytes data(p.begin() + 1, p.end());
        if (blocks)
            c.write(block * 16u, data);
        else
            c.write(block * 4u, Bytes(data.begin(), data.begin() + 4));
        replyFrame(0x00);
        return;
    }
    case 0x0A: replyFrame(valueOperation(c, p) ? 0x00 : 0x06); return;
    case 0x0E: replyFrame(c.read(8 * 4, 4) == p ? 0x00 : 0x01); return;
    case 0x11:
    case 0x12: replyFrame(0x00); return;
    default: replyFrame(0x01); return;
    }
}

}  // namespace tavriksim
