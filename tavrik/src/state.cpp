#include "state.h"

#include "transport/framed.h"

namespace tavrik {

ConnectionState &state()
{
    static ConnectionState s;
    return s;
}

FrameLink &frameLink()
{
    ConnectionState &s = state();
    static framed::SerialFrameLink serial(s);
    if (s.link == LinkKind::Usb && s.usb) return *s.usb;
    return serial;
}

std::uint16_t bp::writeHexBlock(const char *text, std::size_t n)
{
    ConnectionState &s = state();
    const bool lastAcknowledged =
        s.readerModel == 2 || (s.readerModel == 1 && s.cardType != kUnacknowledgedCardType);
    return writeHexBlock(s, text, n, lastAcknowledged);
}

}  // namespace tavrik
