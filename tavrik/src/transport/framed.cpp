#include "transport/framed.h"

#include "tavrik.h"
#include "transport/timing.h"

namespace tavrik::framed {

// A frame's length byte counts the command and the parameters (and itself over USB).
constexpr std::size_t kMostParameters = 255 - 2;

bool send(FrameLink &link, std::uint8_t command, std::span<const std::uint8_t> params)
{
    if (params.size() > kMostParameters) return false;
    std::vector<std::uint8_t> frame;
    frame.reserve(params.size() + 2);
    frame.push_back(static_cast<std::uint8_t>(params.size() + 1 + (link.usb() ? 1 : 0)));
    frame.push_back(command);
    frame.insert(frame.end(), params.begin(), params.end());
    return link.send(frame.data(), frame.size());
}

bool send(FrameLink &link, std::uint8_t command, std::initializer_list<std::uint8_t> params)
{
    return send(link, command, std::span<const std::uint8_t>(params.begin(), params.size()));
}

std::uint16_t receive(FrameLink &link, std::vector<std::uint8_t> &reply, int maxReads)
{
    std::uint8_t buf[256];
    std::size_t have = 0;
    // The length byte says how many follow; stop when a wait brings nothing.
    for (int reads = 0; have == 0 || have < std::size_t{buf[0]} + 1; ++reads) {
        if (have == sizeof buf || (maxReads && reads == maxReads)) return TK_NO_ANSWER;
        const long n = link.receive(buf + have, sizeof buf - have, silenceLimitMs());
        if (n <= 0) return TK_NO_ANSWER;
        have += static_cast<std::size_t>(n);
    }
    reply.assign(buf + 1, buf + 1 + buf[0]);
    return TK_SUCCESS;
}

std::uint16_t exchange(FrameLink &link, std::uint8_t command,
                       std::span<const std::uint8_t> params, std::vector<std::uint8_t> &reply,
                       int maxReads)
{
    if (!send(link, command, params)) return TK_NO_ANSWER;
    return receive(link, reply, maxReads);
}

std::uint16_t exchange(FrameLink &link, std::uint8_t command,
                       std::initializer_list<std::uint8_t> params, std::vector<std::uint8_t> &reply)
{
    return exchange(link, command, std::span<const std::uint8_t>(params.begin(), params.size()),
                    reply);
}

bool refused(const std::vector<std::uint8_t> &reply, bool cardRequest)
{
    return reply.size() == 1 && (reply[0] == 0x01 || (cardRequest && reply[0] == 0x15));
}

bool SerialFrameLink::send(const std::uint8_t *frame, std::size_t n)
{
    return bp::send(link_, frame, n);
}

// A short settling pause lets the rest of a frame on its way arrive with the first bytes.
long SerialFrameLink::receive(std::uint8_t *buf, std::size_t room, int waitMs)
{
    return link_.serial.receive(buf, room, {.firstMs = waitMs, .settleMs = 5});
}

}  // namespace tavrik::framed
