// Library-wide connection state: one reader connection per process.
#pragma once
#include "transport/frame_link.h"
#include "transport/serial.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace tavrik {

enum class LinkKind : std::uint8_t { Byte = 0, Velsor = 1, Framed = 2, Usb = 4 };

// Card type that makes a model-1 reader skip the last partial block's acknowledgement.
constexpr std::uint8_t kUnacknowledgedCardType = 64;

struct ConnectionState {
    LinkKind link = LinkKind::Byte;
    std::uint8_t identifiedPort = 5;  // 5: identify again on the next open; 255 after USB
    std::uint8_t language = 1;        // 0 English, other Chinese
    bool baudPending = true;
    std::uint32_t currentBaud = 0;
    std::uint8_t readerModel = 0;
    std::uint8_t cardType = 0;
    bool rawReplies = false;
    SerialPort serial;
    std::unique_ptr<FrameLink> usb;
    char rx[512] = {};
    int rxCount = 0;
    int rxPos = 0;
    std::string protectionImage;  // last protection text read from a card
    std::mutex io;                // held around each single read or write of the port
};

ConnectionState &state();

}  // namespace tavrik
