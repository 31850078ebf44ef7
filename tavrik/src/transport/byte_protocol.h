// The reader's own single-byte command protocol on the serial port.
#pragma once
#include "transport/serial.h"

#include <cstddef>
#include <cstdint>

namespace tavrik::bp {

constexpr std::uint8_t kProbe = ':';
constexpr std::uint8_t kRefused = '?';
constexpr std::uint8_t kTerminator = '.';

// What the protocol works on: the serial link, the characters received and not yet consumed,
// and the rate that sets the protocol's waits.
struct ByteLink {
    SerialPort serial;
    std::uint32_t currentBaud = 0;
    // Whether the last reads wanted the reply units as the characters received; the
    // handshake and the block reads set it, and a card test leaves it on.
    bool rawReplies = false;
    char rx[512] = {};
    int rxCount = 0;
    int rxPos = 0;
};

// Sends bytes in one write. A handle that broke while open is reopened once and the write
// repeated; a port that is not open fails at once.
bool send(ByteLink &link, const std::uint8_t *data, std::size_t n);
bool sendByte(ByteLink &link, std::uint8_t b);
// Forgets every received character not yet consumed.
void clearReceive(ByteLink &link);

// A reply unit: the two characters the reader sent.
struct Unit {
    bool ok = false;
    char c[2] = {};
    // The byte of the two hexadecimal digits, -1 when they are not both digits.
    int value() const;
    char second() const { return c[1]; }
};
Unit readUnit(ByteLink &link);
// Reads one unit and tells whether it is the terminator '.'.
bool readTerminator(ByteLink &link);

// The opening exchange of every command: 0 accepted, 1 the reader reports no card, 5 refused
// or no answer.
std::uint16_t handshake(ByteLink &link, std::uint8_t command);
// A 16-bit parameter, high byte first, then the pause the reader needs.
bool sendWord(ByteLink &link, std::uint16_t value, int pauseMs = 100);

// Reads n bytes as 2n hexadecimal characters into out: 0, 5 no data, 8 the read failed.
std::uint16_t readHexBlock(ByteLink &link, std::size_t n, char *out);
// Writes n bytes given as 2n hexadecimal characters; text is left untouched. The reader
// acknowledges every full block of 64 and, when lastAcknowledged, the last partial block;
// else the write waits for it. 0 or 5.
std::uint16_t writeHexBlock(ByteLink &link, const char *text, std::size_t n,
                            bool lastAcknowledged);

}  // namespace tavrik::bp
