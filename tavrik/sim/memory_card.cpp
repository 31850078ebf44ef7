#include "memory_card.h"

namespace tavriksim {

void useTry(std::uint8_t &counter)
{
    for (int bit = 7; bit >= 0; --bit)
        if (counter & (1u << bit)) {
            counter = static_cast<std::uint8_t>(counter & ~(1u << bit));
            return;
        }
}

MemoryCard MemoryCard::sle4442()
{
    MemoryCard c;
    c.family = Family::Sle4442;
    c.type = 0x32;
    c.memory.assign(256, 0xFF);
    c.writable.assign(32, true);
    c.code = {0xFF, 0xFF, 0xFF};
    c.counter = c.fullCounter = 0x07;
    return c;
}

MemoryCard MemoryCard::sle4428()
{
    MemoryCard c;
    c.family = Family::Sle4428;
    c.type = 0x30;
    c.memory.assign(1024, 0xFF);
    c.writable.assign(1024, true);
    c.code = {0xFF, 0xFF};
    c.counter = c.fullCounter = 0xFF;
    return c;
}

bool MemoryCard::present(const Bytes &attempt)
{
    if (counter == 0) return false;
    if (attempt == code) {
        counter = fullCounter;
        verified = true;
        return true;
    }
    useTry(counter);
    verified = false;
    return false;
}

bool MemoryCard::changeCode(const Bytes &newCode)
{
    if (!verified || newCode.size() != code.size()) return false;
    code = newCode;
    return true;
}

void MemoryCard::write(std::size_t address, const Bytes &data)
{
    if (!verified && !codeless) return;
    for (std::size_t i = 0; i < data.size() && address + i < memory.size(); ++i) {
        const std::size_t at = address + i;
        if (at < writable.size() && !writable[at]) continue;
        memory[at] = data[i];
    }
}

void MemoryCard::protect(std::size_t address, const Bytes &data)
{
    if (!verified) return;
    for (std::size_t i = 0; i < data.size() && address + i < writable.size(); ++i)
        if (memory[address + i] == data[i]) writable[address + i] = false;
}

Bytes MemoryCard::read(std::size_t address, std::size_t length) const
{
    Bytes out;
    for (std::size_t i = 0; i < length; ++i)
        out.push_back(address + i < memory.size() ? memory[address + i] : 0xFF);
    return out;
}

Bytes MemoryCard::protectionBits() const
{
    Bytes bits(4, 0);
    for (std::size_t i = 0; i < 32 && i < writable.size(); ++i)
        if (writable[i]) bits[i / 8] = static_cast<std::uint8_t>(bits[i / 8] | 1u << (i % 8));
    return bits;
}

Bytes MemoryCard::protectionFlags(std::size_t address, std::size_t length) const
{
    Bytes out;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t at = address + i;
        out.push_back(at < writable.size() && writable[at] ? 1 : 0);
    }
    return out;
}

Bytes MemoryCard::securityMemory() const
{
    Bytes out{counter};
    for (std::uint8_t b : code) out.push_back(verified ? b : 0);
    return out;
}

}  // namespace tavriksim
