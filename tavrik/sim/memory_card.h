// A contact memory card with a security code, as the reader simulator holds it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavriksim {

using Bytes = std::vector<std::uint8_t>;

// One model for both chips: they differ in size, protectable area, code length and tries.
struct MemoryCard {
    static MemoryCard sle4442();  // 256 bytes, bytes 0-31 protectable, 3-byte code, 3 tries
    static MemoryCard sle4428();  // 1024 bytes, every byte protectable, 2-byte code, 8 tries

    std::uint8_t type = 0;  // the card type code the reader opens it with
    Bytes memory;
    std::vector<bool> writable;  // one per protectable byte; false once protected
    Bytes code;                  // the programmable security code
    std::uint8_t counter = 0;    // error counter: one bit per try left
    bool verified = false;

    // Chip behaviour: a wrong code uses up a try, the right one restores them; a card with
    // no try left refuses every code. Writes are ignored until the code was presented.
    bool present(const Bytes &attempt);
    bool changeCode(const Bytes &newCode);
    void write(std::size_t address, const Bytes &data);
    // A byte becomes protected when the data given for it equals its content.
    void protect(std::size_t address, const Bytes &data);
    Bytes read(std::size_t address, std::size_t length) const;
    // SLE4442: the protection bits as four bytes, bit k of byte j for byte 8j+k.
    Bytes protectionBits() const;
    // SLE4428: one byte per address, 1 while writable, 0 once protected.
    Bytes protectionFlags(std::size_t address, std::size_t length) const;
    // Error counter, then the code (zeros until it was presented).
    Bytes securityMemory() const;

private:
    std::uint8_t fullCounter = 0;
};

}  // namespace tavriksim
