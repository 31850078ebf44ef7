// Hexadecimal digits and the conversions the ...String operations build on.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tavrik {

// Value 0-15 of a hexadecimal digit, FFh for any other character.
std::uint8_t hexDigit(char c);
// Two upper-case characters per byte, no terminator.
void bytesToHex(const std::uint8_t *bytes, std::size_t count, char *out);
// Pairs to bytes (an odd last digit becomes its value); returns the bytes written.
std::size_t hexToBytes(const char *hex, std::size_t length, std::uint8_t *out);

}  // namespace tavrik
