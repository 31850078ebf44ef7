// The link a framed exchange runs over: the serial port or the USB endpoints.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tavrik {

class FrameLink {
public:
    virtual ~FrameLink() = default;
    // USB frames count their own length byte, and the reader answers a beep there.
    virtual bool usb() const = 0;
    virtual bool send(const std::uint8_t *frame, std::size_t n) = 0;
    // Waits at most waitMs for bytes; the count read, 0 after the wait, -1 when the link failed.
    virtual long receive(std::uint8_t *buf, std::size_t room, int waitMs) = 0;
};

}  // namespace tavrik
