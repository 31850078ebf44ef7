// Opening and closing the reader, identifying its protocol, and changing its rate.
#include "priority.h"
#include "state.h"
#include "tavrik.h"
#include "transport/byte_protocol.h"
#include "transport/framed.h"
#include "transport/portmap.h"
#include "transport/timing.h"
#include "transport/usb.h"
#include "velsor/binding.h"

#include <optional>

namespace {

using namespace tavrik;

constexpr std::uint8_t kModelQuery = 0xAA;
constexpr std::uint32_t kReaderStartRate = 115200;

std::uint16_t openThroughVelsor(std::uint8_t port, std::uint32_t baud)
{
    ConnectionState &s = state();
    // Velsor counts ports from 0; the port is mapped first so that it never sees -1.
    const auto zeroBased = static_cast<std::uint8_t>(comNumber(port) - 1);
    if (velsor::call<100>(zeroBased, baud) != 0) return 10;
    velsor::setDataMode(1);
    s.link = LinkKind::Velsor;
    s.identifiedPort = port;
    return 0;
}

std::uint16_t identify(std::uint8_t port, std::uint32_t baud)
{
    ConnectionState &s = state();
    s.identifiedPort = 5;
    s.rawReplies = false;
    if (!bp::sendByte(bp::kProbe)) return 5;
    const bp::Unit probe = bp::readUnit();
    if (probe.ok && probe.value() == bp::kProbe) {
        s.serial.purge();
        bp::clearReceive();
        if (!bp::sendByte(kModelQuery)) return 5;
        const bp::Unit model = bp::readUnit();
        switch (model.ok ? model.value() : -1) {
        case kModelQuery: s.readerModel = 0; break;
        case 0x02: s.readerModel = 1; break;
        case 0x03: s.readerModel = 2; break;
        default: return 5;  // not remembered as identified: the next open asks again
        }
        s.link = LinkKind::Byte;
        s.identifiedPort = port;
        return 0;
    }
    // A framed reader answers with the raw bytes 01h 22h, which are no hexadecimal unit.
    if (probe.ok && probe.c[0] == 0x01 && probe.c[1] == 0x22) {
        s.link = LinkKind::Framed;
        s.identifiedPort = port;
        bp::clearReceive();
        return 0;
    }
    s.serial.purge();
    s.serial.close();
    return openThroughVelsor(port, baud);
}

std::optional<std::uint8_t> rateCode(LinkKind link, std::uint32_t rate)
{
    static constexpr std::uint32_t kRates[] = {1200,  2400,  4800,  9600,  14400,
                                               19200, 28800, 38400, 57600, 115200};
    static constexpr int kFramed[] = {-1, -1, -1, 0, 1, 2, 3, 4, 5, 6};
    static constexpr int kByte[] = {0, 1, 2, 3, -1, 4, -1, 5, 6, 7};
    for (std::size_t i = 0; i < std::size(kRates); ++i) {
        if (kRates[i] != rate) continue;
        const int code = link == LinkKind::Framed ? kFramed[i] : kByte[i];
        if (code < 0) return std::nullopt;
        return static_cast<std::uint8_t>(code);
    }
    return std::nullopt;
}

std::uint16_t changeFramedRate(std::uint8_t code, std::uint32_t rate)
{
    ConnectionState &s = state();
    std::vector<std::uint8_t> reply;
    const std::uint16_t r = framed::exchange(frameLink(), framed::kSetRate, {code}, reply);
    if (r != 0) return r;
    if (framed::refused(reply)) return 23;
    if (!s.serial.setBaud(rate)) return 18;
    s.currentBaud = rate;
    return 0;
}

std::uint16_t changeByteRate(std::uint8_t code, std::uint32_t rate)
{
    ConnectionState &s = state();
    if (bp::handshake('p') != 0 || !bp::sendByte(code)) return 5;
    pause(600);
    if (!s.serial.setBaud(rate)) return 18;
    s.currentBaud = rate;
    pause(200);
    const bool confirmed = bp::handshake('q') == 0;
    TK_Com_Close();
    return confirmed ? 0 : 18;
}

}  // namespace

extern "C" TK_API TK_STATUS TK_Com_Open(uint8_t port, uint32_t baud)
{
    ConnectionState &s = state();
    if (s.baudPending && baud != kReaderStartRate) {
        if (s.link == LinkKind::Usb) return 34;
        if (s.link != LinkKind::Velsor) {
            const std::uint16_t r = TK_UpdateBaud(kReaderStartRate, baud, port);
            if (r != 0) return r;
        }
    }
    raisePriority();
    s.serial.close();
    bp::clearReceive();
    if (!s.serial.open(comDevicePath(port, programFolder()), baud)) return 31;
    s.currentBaud = baud;
    if (s.identifiedPort == 5 || s.identifiedPort != port) return identify(port, baud);
    if (s.link == LinkKind::Velsor) {
        s.serial.close();
        return openThroughVelsor(port, baud);
    }
    return 0;
}

extern "C" TK_API TK_STATUS TK_Com_Close(void)
{
    ConnectionState &s = state();
    if (s.link == LinkKind::Usb) return TK_USB_Close();
    if (s.link == LinkKind::Velsor)
        velsor::call<101>();
    else
        s.serial.close();
    return restorePriority() ? 1 : 0;
}

extern "C" TK_API TK_STATUS TK_USB_Open(void)
{
    return openUsbReader(programFolder());
}

extern "C" TK_API TK_STATUS TK_USB_Close(void)
{
    closeUsbReader();
    return 0;
}

extern "C" TK_API TK_STATUS TK_UpdateBaud(uint32_t readerRate, uint32_t newRate, uint8_t port)
{
    ConnectionState &s = state();
    if (s.link == LinkKind::Usb) return 34;
    if (s.link == LinkKind::Velsor) return 99;
    s.baudPending = false;
    if (!s.serial.isOpen()) {
        // Open at the rate the reader uses now: the current rate may still be unset.
        const std::uint16_t r = TK_Com_Open(port, readerRate);
        if (r != 0) {
            TK_Com_Close();
            return r;
        }
        if (s.link == LinkKind::Velsor) {
            TK_Com_Close();
            return 99;
        }
    }
    const auto code = rateCode(s.link, newRate);
    if (!code) return 25;
    return s.link == LinkKind::Framed ? changeFramedRate(*code, newRate)
                                      : changeByteRate(*code, newRate);
}
