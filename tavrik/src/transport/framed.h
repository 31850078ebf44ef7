// Length-prefixed frames: request = length, command, parameters; reply = length, status, data.
#pragma once
#include "transport/byte_protocol.h"
#include "transport/frame_link.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace tavrik::framed {

enum : std::uint8_t {
    kCardRequest = 0x02,
    kBeep = 0x0B,
    kSetRate = 0x0D,
    kLight = 0x16,
};

// Sends one request frame; false when the link would not take it or the parameters do not
// fit in a frame.
bool send(FrameLink &link, std::uint8_t command, std::span<const std::uint8_t> params);
bool send(FrameLink &link, std::uint8_t command, std::initializer_list<std::uint8_t> params);
// Reads one reply frame into reply (status byte, then data): 0, or 5 when it did not come
// whole (within maxReads reads of the link when that is not 0).
std::uint16_t receive(FrameLink &link, std::vector<std::uint8_t> &reply, int maxReads = 0);
// send, then receive; 5 when either fails.
std::uint16_t exchange(FrameLink &link, std::uint8_t command,
                       std::span<const std::uint8_t> params, std::vector<std::uint8_t> &reply,
                       int maxReads = 0);
std::uint16_t exchange(FrameLink &link, std::uint8_t command,
                       std::initializer_list<std::uint8_t> params, std::vector<std::uint8_t> &reply);
// A one-byte reply of status 01h (and 15h for the card request) means the reader refused.
bool refused(const std::vector<std::uint8_t> &reply, bool cardRequest = false);

// The serial port as a frame link; the block write of the byte protocol sends each frame.
class SerialFrameLink final : public FrameLink {
public:
    explicit SerialFrameLink(bp::ByteLink &link) : link_(link) {}
    bool usb() const override { return false; }
    bool send(const std::uint8_t *frame, std::size_t n) override;
    long receive(std::uint8_t *buf, std::size_t room, int waitMs) override;

private:
    bp::ByteLink &link_;
};

}  // namespace tavrik::framed
