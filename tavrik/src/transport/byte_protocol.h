// The reader's own single-byte command protocol on the serial port.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tavrik::bp {

constexpr std::uint8_t kProbe = ':';
constexpr std::uint8_t kRefused = '?';
constexpr std::uint8_t kTerminator = '.';

// Sends bytes in one write. A handle that broke while open is reopened once and the write
// repeated; a port that is not open fails at once.
bool send(const std::uint8_t *data, std::size_t n);
bool sendByte(std::uint8_t b);
// Forgets every received character not yet consumed.
void clearReceive();

// A reply unit: the two characters the reader sent.
struct Unit {
    bool ok = false;
    char c[2] = {};
    // The byte of the two hexadecimal digits, -1 when they are not both digits.
    int value() const;
    char second() const { return c[1]; }
};
Unit readUnit();
// Reads one unit and tells whether it is the terminator '.'.
bool readTerminator();

// The opening exchange of every command: 0 accepted, 1 the reader reports no card, 5 refused
// or no answer.
std::uint16_t handshake(std::uint8_t command);
// A 16-bit parameter, high byte first, then the pause the reader needs.
bool sendWord(std::uint16_t value, int pauseMs = 100);

// Reads n bytes as 2n hexadecimal characters into out: 0, 5 no data, 8 the read failed.
std::uint16_t readHexBlock(std::size_t n, char *out);
// Writes n bytes given as 2n hexadecimal characters; text is left untouched. 0 or 5.
std::uint16_t writeHexBlock(const char *text, std::size_t n);

}  // namespace tavrik::bp
