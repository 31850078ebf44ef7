// Steps the contact memory-card families share on the byte protocol, and the common
// checks and conversions around their exports.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace tavrik::cards {

// Link kinds other than the byte protocol hand the memory families to Velsor.
bool forwarded();

// Powers the card as `type`: 0, 1 no card, 11 not confirmed.
std::uint16_t openCard(std::uint8_t type);
// Command 'A': handshake status, 254 parameters not sent, 5 data not read, or 0.
std::uint16_t readMemory(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                         char *text);
// A read command with any parameter words (the paged cards send three), then n bytes.
std::uint16_t readWith(std::uint8_t command, std::initializer_list<std::uint16_t> words,
                       std::size_t n, char *text);
// Command 'B' or 'F' with the block write: 7 refused, or the block write's status.
std::uint16_t writeMemory(std::uint8_t type, std::uint8_t command, std::uint16_t address,
                          std::uint16_t length, const char *text);
std::uint16_t writeWith(std::uint8_t type, std::uint8_t command,
                        std::initializer_list<std::uint16_t> words, std::size_t n,
                        const char *text);
// A command with parameter words, a wait, and the confirmation unit 00h with the terminator
// (erasing): the handshake status, `failure` when it is not confirmed, or 0.
std::uint16_t confirmedCommand(std::uint8_t command, std::initializer_list<std::uint16_t> words,
                               int waitMs, std::uint16_t failure);
// Reads the confirmation: unit 00h, then the terminator.
bool confirmation();
// A command followed by raw bytes ('X', 'W', '\' send none): the handshake status, 5 when
// the bytes could not be sent, or 0.
std::uint16_t plainCommand(std::uint8_t command, const std::uint8_t *bytes = nullptr,
                           std::size_t n = 0);
// Command 'd' of the counter cards (SLE4406 lend bit, telephone card reload) with two byte
// parameters; the reader answers 00h then 02h: the handshake status, 5 otherwise, or 0.
std::uint16_t counterCommand(std::uint8_t a, std::uint8_t b);
// Command 'H' (or the telephone card's unlock key): handshake status, 12 wrong code, or 0.
std::uint16_t presentCode(int pauseMs, const std::uint8_t *code, std::size_t n,
                          std::uint8_t command = 'H');
// Command 'G': 15 refused, or 0.
std::uint16_t changeCode(int pauseMs, const std::uint8_t *code, std::size_t n);
// A command without parameters answered by n bytes as 2n characters ('E' protection, 'I'
// security memory): the handshake status, readFailure, or 0.
std::uint16_t readReply(std::uint8_t command, std::size_t n, char *out, std::uint16_t readFailure);

// Part of the security memory (error counter, then the code bytes) read with 'I': chars
// characters from character first of the memoryBytes bytes.
std::uint16_t readSecurityPart(std::size_t memoryBytes, std::size_t first, std::size_t chars,
                               std::uint16_t readFailure, char *text);

using CharOperation = std::function<std::uint16_t(std::uint16_t, std::uint16_t, char *)>;
using ConstCharOperation =
    std::function<std::uint16_t(std::uint16_t, std::uint16_t, const char *)>;

// ...ReadString: reads through the text operation into a work text sized from the length
// and converts it into exactly length bytes.
std::uint16_t readBytes(const CharOperation &readChar, std::uint16_t address,
                        std::uint16_t length, std::uint8_t *bytes);
// ...WriteString: converts the bytes to text and writes it through the text operation.
std::uint16_t writeBytes(const ConstCharOperation &writeChar, std::uint16_t address,
                         std::uint16_t length, const std::uint8_t *bytes);

// Velsor may write into what it is given: it gets a copy of the caller's text.
std::string privateCopy(const char *text, std::size_t chars);

// Protection written through Velsor: each run of bytes whose protection character (the
// second of each pair) differs from the image is passed to `protect` with the run's address,
// its length and the card's current text for it. Byte i of the request sits at image byte
// imageFirst + i and at memory byte memoryFirst + i.
std::uint16_t protectChangedRuns(std::uint16_t address, std::uint16_t length, const char *text,
                                 const std::string &image, std::size_t imageFirst,
                                 const std::string &memory, std::size_t memoryFirst,
                                 const CharOperation &protect);

}  // namespace tavrik::cards
