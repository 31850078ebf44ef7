// Library-wide connection state: one reader connection per process.
#pragma once
#include "transport/byte_protocol.h"
#include "transport/frame_link.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tavrik {

enum class LinkKind : std::uint8_t { Byte = 0, Velsor = 1, Framed = 2, Usb = 4 };

// Card type that makes a model-1 reader skip the last partial block's acknowledgement.
constexpr std::uint8_t kUnacknowledgedCardType = 64;

// The serial port and its received characters are the byte protocol's link.
struct ConnectionState : bp::ByteLink {
    LinkKind link = LinkKind::Byte;
    std::uint8_t identifiedPort = 5;  // 5: identify again on the next open; 255 after USB
    std::uint8_t language = 1;        // 0 English, other Chinese
    bool baudPending = true;
    std::uint8_t readerModel = 0;
    std::uint8_t cardType = 0;
    std::unique_ptr<FrameLink> usb;
    std::string protectionImage;  // last protection text read from a card
};

ConnectionState &state();

// The link framed exchanges take: the USB endpoints after a USB open, else the serial port.
FrameLink &frameLink();

// The byte protocol on the connection's serial port.
namespace bp {
inline bool send(const std::uint8_t *data, std::size_t n) { return send(state(), data, n); }
inline bool sendByte(std::uint8_t b) { return sendByte(state(), b); }
inline void clearReceive() { clearReceive(state()); }
inline Unit readUnit() { return readUnit(state()); }
inline bool readTerminator() { return readTerminator(state()); }
inline std::uint16_t handshake(std::uint8_t command) { return handshake(state(), command); }
inline bool sendWord(std::uint16_t value, int pauseMs = 100)
{
    return sendWord(state(), value, pauseMs);
}
inline std::uint16_t readHexBlock(std::size_t n, char *out) { return readHexBlock(state(), n, out); }
// Model 2 readers acknowledge every last block, model 1 all but on one card type.
std::uint16_t writeHexBlock(const char *text, std::size_t n);
}  // namespace bp

}  // namespace tavrik
