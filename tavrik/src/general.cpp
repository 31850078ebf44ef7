// General reader operations: device and card tests, card type, light, beeper, reader choice.
#include "reader.h"
#include "state.h"
#include "tavrik.h"
#include "transport/byte_protocol.h"
#include "transport/framed.h"
#include "transport/timing.h"
#include "velsor/binding.h"

#include <cstring>

namespace tavrik {

std::uint16_t byteLight(std::uint8_t lightState, bool withPause)
{
    bp::clearReceive();
    if (const std::uint16_t h = bp::handshake('V')) return h;
    if (!bp::sendByte(lightState)) return 5;
    if (withPause) pause(20);
    bp::clearReceive();
    return 0;
}

std::uint16_t framedCommand(std::uint8_t command, std::initializer_list<std::uint8_t> params,
                            std::uint16_t refusalCode, std::vector<std::uint8_t> *reply,
                            bool cardRequest)
{
    std::vector<std::uint8_t> own;
    std::vector<std::uint8_t> &r = reply ? *reply : own;
    if (framed::exchange(frameLink(), command, params, r) != 0) return 5;
    return framed::refused(r, cardRequest) ? refusalCode : 0;
}

}  // namespace tavrik

namespace {

using namespace tavrik;

LinkKind link() { return state().link; }

struct KindCode {
    std::uint8_t kind;
    const char *code;
};
// Contactless card kinds of the framed card request and their detection codes.
constexpr KindCode kFramedKinds[] = {{0x00, "53"}, {0x02, "51"}, {0x04, "50"},
                                     {0x05, "54"}, {0x10, "52"}, {0x44, "55"}};

struct TypeCode {
    std::uint8_t type;
    const char *code;
};
// Card type bytes Velsor reports and the codes of this library's families.
constexpr TypeCode kVelsorTypes[] = {{0x22, "20"}, {0x25, "21"}, {0x26, "24"}, {0x27, "23"},
                                     {0x28, "22"}, {0x33, "28"}, {0x42, "30"}, {0x44, "32"},
                                     {0x51, "40"}, {0x91, "50"}, {0x92, "52"}};

std::uint16_t autoTestByte(char *code)
{
    ConnectionState &s = state();
    s.serial.purge();
    bp::clearReceive();
    if (const std::uint16_t h = bp::handshake('D')) return h;
    s.rawReplies = true;
    const bp::Unit type = bp::readUnit();
    s.rawReplies = false;
    const bp::Unit presence = type.ok ? bp::readUnit() : bp::Unit{};
    if (!type.ok || !presence.ok) return 32;
    code[0] = type.c[0];
    code[1] = type.c[1];
    if (presence.second() == '1') {
        bp::readTerminator();
        byteLight(2, true);
        return 1;
    }
    if (!bp::readTerminator()) return 11;
    const bool unrecognised = code[0] == '0';
    byteLight(unrecognised ? 2 : 1, true);
    if (code[0] == '4' && code[1] == '0') s.cardType = kUnacknowledgedCardType;
    return unrecognised ? 2 : 0;
}

std::uint16_t autoTestFramed(char *code)
{
    std::vector<std::uint8_t> reply;
    if (framedCommand(framed::kCardRequest, {0x26}, 27, &reply, true) != 0 || reply.size() < 2)
        return 27;
    for (const KindCode &k : kFramedKinds) {
        if (k.kind != reply[1]) continue;
        std::memcpy(code, k.code, 2);
        return 0;
    }
    return 20;
}

std::uint16_t autoTestVelsor(char *code)
{
    velsor::setDataMode(0);
    const std::uint16_t r = velsor::call<102>(code);
    velsor::setDataMode(1);
    for (const TypeCode &t : kVelsorTypes) {
        if (t.type != static_cast<std::uint8_t>(code[0])) continue;
        std::memcpy(code, t.code, 2);
        return 0;
    }
    return r;
}

}  // namespace

extern "C" TK_API TK_STATUS TK_TestDevice(void)
{
    switch (link()) {
    case LinkKind::Byte: return bp::handshake('S') == 5 ? 5 : 0;
    case LinkKind::Velsor: return velsor::call<110>();
    default: return 0;
    }
}

extern "C" TK_API TK_STATUS TK_TestCard(void)
{
    if (link() == LinkKind::Velsor) return velsor::call<107>();
    if (link() != LinkKind::Byte) return framedCommand(framed::kCardRequest, {0x52}, 20, nullptr, true);
    bp::clearReceive();
    if (bp::handshake('T') != 0) return 5;
    const bp::Unit u = bp::readUnit();
    if (!u.ok || u.value() < 0) return 5;
    const auto status = static_cast<std::uint8_t>(u.value());
    state().rawReplies = true;
    byteLight(status == 1 ? 2 : 1, true);
    return status;
}

extern "C" TK_API TK_STATUS TK_GetCardType(uint8_t *type)
{
    if (!type) return 29;
    switch (link()) {
    case LinkKind::Byte: {
        if (bp::handshake('U') != 0) return 5;
        const bp::Unit u = bp::readUnit();
        if (!u.ok) return 5;
        *type = static_cast<std::uint8_t>(u.value());
        return 0;
    }
    case LinkKind::Velsor: return velsor::call<111>(type);
    default: return 1;
    }
}

extern "C" TK_API TK_STATUS TK_AutoTestCard(char *code)
{
    if (!code) return 29;
    switch (link()) {
    case LinkKind::Byte: return autoTestByte(code);
    case LinkKind::Velsor: return autoTestVelsor(code);
    default: return autoTestFramed(code);
    }
}

extern "C" TK_API TK_STATUS TK_Control_light(uint8_t lightState)
{
    switch (link()) {
    case LinkKind::Byte: return byteLight(lightState, true);
    case LinkKind::Velsor: return velsor::call<105>(lightState);
    default: return framedCommand(framed::kLight, {lightState}, 23);
    }
}

extern "C" TK_API TK_STATUS TK_Scream(uint8_t length)
{
    switch (link()) {
    case LinkKind::Byte:
        if (length == 0) return 0;
        bp::clearReceive();
        if (bp::handshake('R') != 0 || !bp::sendByte(length)) return 5;
        bp::readUnit();
        bp::clearReceive();
        return 0;
    case LinkKind::Velsor: return velsor::call<106>(static_cast<std::uint8_t>(length ? 1 : 0));
    default: {
        FrameLink &fl = frameLink();
        if (!framed::send(fl, framed::kBeep, {length})) {
            pause(100);
            return 5;
        }
        // A serial reader does not answer the beep.
        if (!fl.usb()) {
            pause(100);
            return 0;
        }
        std::vector<std::uint8_t> reply;
        return framed::receive(fl, reply);
    }
    }
}

extern "C" TK_API TK_STATUS TK_SelectReader(uint8_t reader)
{
    if (reader > 1) return 14;
    if (bp::handshake('q') != 0 || !bp::sendByte(reader)) return 11;
    const bp::Unit u = bp::readUnit();
    if (!u.ok) return 11;
    const bool terminated = bp::readTerminator();
    return u.value() == reader || terminated ? 0 : 11;
}

extern "C" TK_API TK_STATUS TK_StartServer(uint32_t) { return 0; }
extern "C" TK_API TK_STATUS TK_StartClient(uint32_t) { return 0; }
extern "C" TK_API void TK_StopClient(void) {}
extern "C" TK_API void TK_StopServer(void) {}
