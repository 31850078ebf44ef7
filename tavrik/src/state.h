// Library-wide connection state: one reader connection per process.
#pragma once
#include <cstdint>
#include <mutex>

namespace tavrik {

enum class LinkKind : std::uint8_t { Byte = 0, Velsor = 1, Framed = 2, Usb = 4 };

struct ConnectionState {
    LinkKind link = LinkKind::Byte;
    std::uint8_t identifiedPort = 5;  // 5: identify again on the next open
    std::uint8_t language = 1;        // 0 English, other Chinese
    bool baudPending = true;
    std::uint32_t currentBaud = 0;
    std::uint8_t readerModel = 0;
    std::uint8_t cardType = 0;
    bool rawReplies = false;
    int fd = -1;
    char rx[512] = {};
    int rxCount = 0;
    int rxPos = 0;
    char protectionImage[514] = {};
    std::mutex io;  // held around each single read or write of the port
};

ConnectionState &state();

}  // namespace tavrik
