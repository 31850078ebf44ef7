// Processor cards (ISO 7816) on the byte protocol, and SAMs through frames on any link.
#include "cards/areas.h"
#include "hex.h"
#include "state.h"
#include "tavrik.h"
#include "transport/byte_protocol.h"
#include "transport/framed.h"
#include "transport/timing.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

using namespace tavrik;

constexpr std::uint8_t kType = 0x40;
constexpr std::uint16_t kUnsupported = 34;
constexpr std::uint8_t kSamOpen = 0x19;
constexpr std::uint8_t kSamApdu = 0x1A;

// A processor card's answer: a status unit, a count unit, that many data units and two
// closing units. The data go to `text` as received; `length` counts the data bytes, from
// the characters that came (never below 0, even when the reply broke off early). 0, 1 no
// card, or 5 when the reply did not come whole.
std::uint16_t readProcessorReply(char *text, std::uint16_t *length)
{
    ConnectionState &s = state();
    s.rawReplies = true;
    *length = 0;
    const bp::Unit status = bp::readUnit();
    if (!status.ok) return 5;
    if (status.second() == '1') return 1;
    const bp::Unit count = bp::readUnit();
    if (!count.ok || count.value() < 0) return 5;
    const int n = count.value();
    int received = 4;
    for (int i = 0; i < n + 2; ++i) {
        const bp::Unit u = bp::readUnit();
        if (!u.ok) break;
        if (i < n) {
            text[2 * i] = u.c[0];
            text[2 * i + 1] = u.c[1];
        }
        received += 2;
    }
    *length = static_cast<std::uint16_t>(std::max(0, received / 2 - 4));
    return received == 2 * (n + 4) ? 0 : 5;
}

// A switch of the processor card: the command, 10 ms, 1 or 0, and the reader's 0 or 1.
std::uint16_t setSwitch(std::uint8_t command, bool on)
{
    if (cards::forwarded()) return kUnsupported;
    if (const std::uint16_t h = bp::handshake(command)) return h;
    pause(10);
    if (!bp::sendByte(on ? 1 : 0)) return 5;
    const bp::Unit u = bp::readUnit();
    return u.ok && (u.value() == 0 || u.value() == 1) ? 0 : 5;
}

// One SAM frame: 5 transport, 23 refused or not accepted, else 0 with the data in `data`.
std::uint16_t samExchange(std::uint8_t command, std::span<const std::uint8_t> params,
                          std::vector<std::uint8_t> &data)
{
    std::vector<std::uint8_t> reply;
    if (framed::exchange(frameLink(), command, params, reply) != 0) return 5;
    if (reply.empty() || reply[0] != 0x00) return 23;
    data.assign(reply.begin() + 1, reply.end());
    return 0;
}

}  // namespace

extern "C" TK_API TK_STATUS TK_CPU_OpenCard(void)
{
    if (cards::forwarded()) return velsor::call<800>();
    const std::uint16_t r = cards::openCard(kType);
    // The reader acknowledges every block of an APDU.
    state().cardType = 0;
    return r;
}

extern "C" TK_API TK_STATUS TK_CPU_Reset(char *atr, uint16_t *length)
{
    if (!atr || !length) return 29;
    if (cards::forwarded()) return cards::forwardRead<801>(atr, length);
    if (const std::uint16_t h = bp::handshake('[')) return h;
    return readProcessorReply(atr, length);
}

extern "C" TK_API TK_STATUS TK_CPU_GetProtocol(uint8_t *protocol)
{
    if (!protocol) return 29;
    if (cards::forwarded()) return velsor::call<802>(protocol);
    if (const std::uint16_t h = bp::handshake('i')) return h;
    const bp::Unit u = bp::readUnit();
    if (!u.ok || (u.value() != 0 && u.value() != 1)) return 5;
    *protocol = static_cast<std::uint8_t>(u.value());
    return 0;
}

extern "C" TK_API TK_STATUS TK_Set_CardHolder(uint8_t flag) { return setSwitch('q', flag != 0); }
extern "C" TK_API TK_STATUS TK_Set_CPUSpeed(uint8_t value) { return setSwitch('j', value != 0); }

extern "C" TK_API TK_STATUS TK_CPU_IsoAPDU(const char *command, uint16_t length, char *response,
                                           uint16_t *responseLength)
{
    if (!command || !response || !responseLength) return 29;
    if (cards::forwarded()) {
        std::vector<std::uint8_t> bytes;
        try {
            bytes.resize(length);
        } catch (const std::bad_alloc &) {
            return 96;
        }
        hexToBytes(command, 2 * std::size_t{length}, bytes.data());
        return cards::forwardRead<804>(bytes.data(), length, response, responseLength);
    }
    if (const std::uint16_t h = bp::handshake('h')) return h;
    if (!bp::sendWord(length, 30)) return 5;
    if (const std::uint16_t w = bp::writeHexBlock(command, length)) return w;
    return readProcessorReply(response, responseLength);
}

extern "C" TK_API TK_STATUS TK_CPU_CloseCard(void)
{
    return cards::forwarded() ? velsor::call<805>() : cards::plainCommand('Q');
}

// SAM slot 0 is the only one.
extern "C" TK_API TK_STATUS TK_OpenSAMCard(uint8_t slot)
{
    if (slot != 0) return 14;
    std::vector<std::uint8_t> atr;
    const std::uint8_t params[] = {slot};
    return samExchange(kSamOpen, params, atr);
}

extern "C" TK_API TK_STATUS TK_SAM_IsoAPDU(const uint8_t *command, uint16_t length,
                                           uint8_t *response, uint16_t *responseLength)
{
    if (!command || !response || !responseLength) return 29;
    std::vector<std::uint8_t> data;
    if (length > 253) return 14;  // more than one frame holds
    if (const std::uint16_t r = samExchange(kSamApdu, {command, length}, data)) return r;
    std::memcpy(response, data.data(), data.size());
    *responseLength = static_cast<std::uint16_t>(data.size());
    return 0;
}

// The command and the response as zero-terminated hexadecimal text.
extern "C" TK_API TK_STATUS TK_SAM_IsoAPDU_CString(const char *command, char *response)
{
    if (!command || !response) return 29;
    const std::size_t chars = std::strlen(command);
    if (chars % 2 || chars / 2 > 253) return 14;
    std::vector<std::uint8_t> bytes(chars / 2), answer(256);
    hexToBytes(command, chars, bytes.data());
    std::uint16_t n = 0;
    if (const std::uint16_t r = TK_SAM_IsoAPDU(
            bytes.data(), static_cast<std::uint16_t>(bytes.size()), answer.data(), &n))
        return r;
    bytesToHex(answer.data(), n, response);
    response[2 * n] = '\0';
    return 0;
}
