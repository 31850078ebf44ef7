// Contactless cards through frames on the current link; a reader that went to Velsor hands
// them on. The card type (80-85) is set by the card request and chooses the frames.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace tavrik::contactless {

constexpr std::uint16_t kUnsupported = 34;

enum : std::uint8_t {
    kMifare1k = 80,    // kind 04h
    kMifare1kB = 81,   // kind 02h
    kPages = 82,       // kind 10h: 4-byte pages, a 16-bit value in page 4 or 5
    kUltra = 83,       // kind 00h
    kMifare1102 = 84,  // kind 05h
    kKind44 = 85,      // kind 44h
};

enum : std::uint8_t {
    kHalt = 0x01,
    kAntiCollision = 0x03,
    kSelect = 0x04,
    kAuthenticate = 0x05,
    kLoadKey = 0x06,
    kReadBlock = 0x08,
    kWriteBlock = 0x09,
    kValue = 0x0A,
    kVerify1102 = 0x0E,
    kReadPage = 0x0F,
    kWritePage = 0x10,
    kDate = 0x11,
    kTub = 0x12,
};

bool toVelsor();
std::uint8_t type();
bool sixteenByteBlocks();
// Types 83 and 84 read and write with the page commands.
bool pageCommands();
// Bytes a block read brings, and bytes a block write takes.
std::size_t readSize();
std::size_t writeSize();

// One frame, its reply read in at most three reads: 5 when it did not come, `refusal` when the
// reader refused (or, with needOk, answered any status but 00h), else 0 with the reply (status
// byte first, never empty).
std::uint16_t exchange(std::uint8_t command, std::span<const std::uint8_t> params,
                       std::uint16_t refusal, std::vector<std::uint8_t> &reply,
                       bool needOk = false);
std::uint16_t exchange(std::uint8_t command, std::initializer_list<std::uint8_t> params,
                       std::uint16_t refusal, bool needOk = false);

// A block read; the reply must hold the bytes the card type gives, else 23.
std::uint16_t readBlock(std::uint8_t block, std::vector<std::uint8_t> &data);
// Block writes take bytes: 16 on the 16-byte-block cards, else 4 (page cards pad the frame).
// The reader's refusal gives `refusal`, and with needOk so does any status but 00h.
std::uint16_t writeBlock(std::uint8_t block, const std::uint8_t *data, std::uint16_t refusal = 23,
                         bool needOk = false);

}  // namespace tavrik::contactless
