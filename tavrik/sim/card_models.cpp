// The card families besides the SLE4442 and SLE4428: memory layouts, codes and counters.
#include "memory_card.h"

#include "cards/auth_cipher.h"

#include <algorithm>

namespace tavriksim {

namespace {

MemoryCard blank(Family family, std::uint8_t type, std::size_t size)
{
    MemoryCard c;
    c.family = family;
    c.type = type;
    c.memory.assign(size, 0xFF);
    return c;
}

void put(MemoryCard &c, std::size_t at, const Bytes &bytes)
{
    std::copy(bytes.begin(), bytes.end(), c.memory.begin() + static_cast<std::ptrdiff_t>(at));
}

// Zone cards: codes and counters by index, a fabrication code at 0.
MemoryCard zoneCard(Family family, std::uint8_t type, const std::size_t (&codes)[9],
                    const std::size_t (&counters)[9])
{
    MemoryCard c = blank(family, type, 2048);
    for (int i = 0; i < 9; ++i) c.codeSlots.push_back({codes[i], 2, counters[i]});
    put(c, 0, {type, 0x01});
    return c;
}

// Configuration cards: password sets (counter byte, then 3 code bytes) and the
// authentication areas; a factory seed and cryptogram of 00h.
MemoryCard configCard(Family family, std::uint8_t type, std::size_t size,
                      const std::vector<std::size_t> &sets, std::size_t aac, std::size_t ci,
                      std::size_t gc)
{
    MemoryCard c = blank(family, type, size);
    for (std::size_t at : sets) c.codeSlots.push_back({at + 1, 3, at});
    c.authCounterAt = aac;
    c.cryptogramAt = ci;
    c.seedAt = gc;
    put(c, gc, Bytes(8, 0));
    put(c, family == Family::At153 ? ci + 1 : ci, Bytes(family == Family::At153 ? 7 : 8, 0));
    return c;
}

}  // namespace

MemoryCard MemoryCard::at24c(std::uint8_t type)
{
    const std::size_t size =
        type <= 2 ? std::size_t{128} << (type - 1) : std::size_t{256} << (type - 3);
    MemoryCard c = blank(Family::At24c, type, size);
    c.codeless = true;
    return c;
}

MemoryCard MemoryCard::at45d()
{
    MemoryCard c = blank(Family::At45d, 0x45, 2048 * 264);
    c.codeless = true;
    return c;
}

MemoryCard MemoryCard::at102()
{
    MemoryCard c = blank(Family::At102, 0x20, 196);
    c.codeSlots = {{10, 2, 12}, {86, 6, 0}, {156, 4, 0}};
    put(c, 0, {0x10, 0x02});
    return c;
}

MemoryCard MemoryCard::at1604()
{
    return zoneCard(Family::At1604, 0x21, {10, 21, 539, 1057, 1575, 24, 542, 1060, 1578},
                    {12, 23, 541, 1059, 1577, 26, 544, 1062, 1580});
}

MemoryCard MemoryCard::at6601()
{
    return zoneCard(Family::At6601, 0x24, {10, 21, 1222, 1483, 1744, 24, 1224, 1485, 1746},
                    {12, 23, 0, 0, 0, 26, 1226, 1487, 1748});
}

MemoryCard MemoryCard::at1608()
{
    std::vector<std::size_t> sets;
    for (std::size_t k = 0; k < 8; ++k) sets.push_back(2112 + 8 * k);
    for (std::size_t k = 0; k < 8; ++k) sets.push_back(2116 + 8 * k);
    return configCard(Family::At1608, 0x23, 2304, sets, 2080, 2088, 2096);
}

MemoryCard MemoryCard::at153()
{
    return configCard(Family::At153, 0x22, 1088, {1008, 1016, 1012, 1020}, 992, 992, 1000);
}

MemoryCard MemoryCard::sle4406()
{
    MemoryCard c = blank(Family::Sle4406, 0x34, 13);
    c.code = {0xFF, 0xFF, 0xFF};
    c.counter = c.fullCounter = 0x07;
    return c;
}

MemoryCard MemoryCard::telephone()
{
    MemoryCard c = blank(Family::Telephone, 0x10, 32);
    c.code = {0xFF, 0xFF, 0xFF};
    c.counter = c.fullCounter = 0x07;
    c.unlockKey = {0x12, 0x34, 0x56};
    return c;
}

MemoryCard MemoryCard::processor()
{
    MemoryCard c = blank(Family::Processor, 0x40, 16);
    c.answerToReset = {0x3B, 0x6D, 0x00, 0x00, 0x80, 0x31};
    return c;
}

MemoryCard MemoryCard::contactless(std::uint8_t kind)
{
    MemoryCard c = blank(Family::Contactless, 0, 64 * 16);
    c.kind = kind;
    c.serial = 0xA1B2C3D4;
    c.codeless = true;
    // Block 0 carries the serial number; key A of each sector trailer is FFh.
    put(c, 0, {0xA1, 0xB2, 0xC3, 0xD4});
    for (std::size_t sector = 0; sector < 16; ++sector)
        put(c, (sector * 4 + 3) * 16 + 6, {0xFF, 0x07, 0x80, 0x69});
    return c;
}

bool MemoryCard::presentSlot(std::size_t slot, const Bytes &attempt)
{
    if (slot >= codeSlots.size()) return false;
    const CodeSlot &s = codeSlots[slot];
    std::uint8_t *tries = s.counter ? &memory[s.counter] : nullptr;
    if (tries && *tries == 0) return false;
    const bool right = std::equal(attempt.begin(), attempt.end(),
                                  memory.begin() + static_cast<std::ptrdiff_t>(s.at)) &&
                       attempt.size() == s.length;
    if (tries) {
        if (right)
            *tries = 0xFF;
        else
            useTry(*tries);
    }
    verified = right;
    return right;
}

bool MemoryCard::authenticate(const Bytes &hostCryptogram)
{
    using tavrik::authcipher::Block;
    std::uint8_t &tries = memory[authCounterAt];
    if (tries == 0 || challenge.size() != 8 || hostCryptogram.size() != 8) return false;
    Block seed{}, cryptogram{}, ch{};
    std::copy_n(memory.begin() + static_cast<std::ptrdiff_t>(seedAt), 8, seed.begin());
    std::copy_n(memory.begin() + static_cast<std::ptrdiff_t>(cryptogramAt), 8, cryptogram.begin());
    std::copy_n(challenge.begin(), 8, ch.begin());
    const auto r = tavrik::authcipher::compute(seed, cryptogram, ch);
    if (!std::equal(r.host.begin(), r.host.end(), hostCryptogram.begin())) {
        useTry(tries);
        return false;
    }
    Block next = r.expected;
    next[0] = static_cast<std::uint8_t>(next[0] ^ cryptogramFault);
    // AT153 keeps its attempt counter as the first byte of the cryptogram area.
    const std::size_t skip = authCounterAt == cryptogramAt ? 1 : 0;
    std::copy(next.begin() + static_cast<std::ptrdiff_t>(skip), next.end(),
              memory.begin() + static_cast<std::ptrdiff_t>(cryptogramAt + skip));
    tries = 0xFF;
    return true;
}

Bytes answerApdu(const MemoryCard &card, const Bytes &apdu)
{
    if (apdu.size() < 4) return {0x67, 0x00};
    const std::uint8_t ins = apdu[1];
    const std::size_t le = apdu.size() >= 5 ? apdu[4] : 0;
    Bytes out;
    if (ins == 0x84) {
        for (std::size_t i = 0; i < le; ++i) out.push_back(static_cast<std::uint8_t>(i + 1));
    } else if (ins == 0xB0) {
        out = card.read(std::size_t{apdu[2]} << 8 | apdu[3], le);
    } else if (ins != 0xA4 && ins != 0x20) {
        return {0x6D, 0x00};
    }
    out.push_back(0x90);
    out.push_back(0x00);
    return out;
}

}  // namespace tavriksim
