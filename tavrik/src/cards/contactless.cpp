// Contactless cards through frames on the current link; a reader that went to Velsor hands
// them on. The card type (80-85) is set by the card request and chooses the frames.
#include "cards/areas.h"
#include "hex.h"
#include "state.h"
#include "tavrik.h"
#include "transport/framed.h"
#include "transport/timing.h"

#include <array>
#include <string>
#include <vector>

namespace {

using namespace tavrik;

constexpr std::uint16_t kUnsupported = 34;

enum : std::uint8_t {
    kMifare1k = 80,    // kind 04h
    kMifare1kB = 81,   // kind 02h
    kPages = 82,       // kind 10h: 4-byte pages, a 16-bit value in page 4 or 5
    kUltra = 83,       // kind 00h
    kMifare1102 = 84,  // kind 05h
    kKind44 = 85,      // kind 44h
};

enum : std::uint8_t {
    kHalt = 0x01,
    kAntiCollision = 0x03,
    kSelect = 0x04,
    kAuthenticate = 0x05,
    kLoadKey = 0x06,
    kReadBlock = 0x08,
    kWriteBlock = 0x09,
    kValue = 0x0A,
    kVerify1102 = 0x0E,
    kReadPage = 0x0F,
    kWritePage = 0x10,
    kDate = 0x11,
    kTub = 0x12,
};

struct KindType {
    std::uint8_t kind, type;
};
// Key kind 4 is key B.
std::uint8_t keyCode(std::uint8_t keyKind) { return keyKind == 4 ? 0x61 : 0x60; }

constexpr KindType kKinds[] = {{0x00, kUltra},      {0x02, kMifare1kB}, {0x04, kMifare1k},
                               {0x05, kMifare1102}, {0x10, kPages},     {0x44, kKind44}};

bool toVelsor() { return state().link == LinkKind::Velsor; }
std::uint8_t type() { return state().cardType; }
bool sixteenByteBlocks() { return type() == kMifare1k || type() == kMifare1kB; }
bool pageCommands() { return type() == kUltra || type() == kMifare1102; }

// Bytes a block read brings.
std::size_t readSize()
{
    if (sixteenByteBlocks()) return 16;
    return type() == kUltra ? 4 : 8;
}

// One frame, its reply read in at most three reads: 5 when it did not come, `refusal` when the
// reader refused (or, with needOk, answered any status but 00h), else 0 with the reply (status
// byte first, never empty).
std::uint16_t exchange(std::uint8_t command, std::span<const std::uint8_t> params,
                       std::uint16_t refusal, std::vector<std::uint8_t> &reply, bool needOk = false)
{
    if (framed::exchange(frameLink(), command, params, reply, 3) != 0) return 5;
    if (reply.empty() || framed::refused(reply) || (needOk && reply[0] != 0x00)) return refusal;
    return 0;
}

std::uint16_t exchange(std::uint8_t command, std::initializer_list<std::uint8_t> params,
                       std::uint16_t refusal, bool needOk = false)
{
    std::vector<std::uint8_t> reply;
    return exchange(command, {params.begin(), params.size()}, refusal, reply, needOk);
}

// A block read; the reply must hold the bytes the card type gives. Only the plain read of a
// page card asks with the page command; the value read always uses the block command.
std::uint16_t readBlock(std::uint8_t block, std::vector<std::uint8_t> &data,
                        std::uint8_t command = kReadBlock)
{
    std::vector<std::uint8_t> reply;
    const std::uint8_t params[] = {block};
    if (const std::uint16_t r = exchange(command, params, 23, reply)) return r;
    if (reply.size() < 1 + readSize()) return 23;
    data.assign(reply.begin() + 1, reply.begin() + 1 + static_cast<std::ptrdiff_t>(readSize()));
    return 0;
}

// Block writes take bytes: 16 on the 16-byte-block cards, else 4 (page cards pad the frame).
// The reader's refusal gives `refusal`, and with needOk so does any status but 00h.
std::uint16_t writeBlock(std::uint8_t block, const std::uint8_t *data, std::uint16_t refusal = 23,
                         bool needOk = false)
{
    std::vector<std::uint8_t> params{block};
    if (pageCommands()) {
        if (block == 8) return 15;  // the password page
        params.insert(params.end(), data, data + 4);
        std::vector<std::uint8_t> reply;
        return exchange(kWritePage, params, refusal, reply, needOk);
    }
    if (sixteenByteBlocks()) {
        params.insert(params.end(), data, data + 16);
    } else {
        params.insert(params.end(), data, data + 4);
        params.insert(params.end(), 12, 0x30);
    }
    std::vector<std::uint8_t> reply;
    return exchange(kWriteBlock, params, refusal, reply, needOk);
}

std::size_t writeSize() { return sixteenByteBlocks() ? 16 : 4; }

// The 16-bit value of a page card: in page 5 while page 4 is blank.
std::uint16_t pageValue(const std::vector<std::uint8_t> &d)
{
    const bool blank = d[0] == 0xFF && d[1] == 0xFF && d[2] == 0xFF && d[3] == 0xFF;
    return blank ? static_cast<std::uint16_t>(d[4] | d[5] << 8)
                 : static_cast<std::uint16_t>(d[0] | d[1] << 8);
}

std::uint16_t valueFrame(std::uint8_t op, std::uint8_t source, std::uint32_t v, std::uint8_t target)
{
    std::vector<std::uint8_t> reply;
    const std::uint8_t params[] = {op,
                                   source,
                                   static_cast<std::uint8_t>(v),
                                   static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16),
                                   static_cast<std::uint8_t>(v >> 24),
                                   target};
    if (const std::uint16_t r = exchange(kValue, params, 23, reply)) return r;
    return reply[0] == 0x06 ? 26 : 0;
}

// Page cards count up by writing page 4 afresh: value low, high and their complements.
std::uint16_t incrementPages(std::uint32_t by)
{
    std::vector<std::uint8_t> d;
    if (const std::uint16_t r = readBlock(4, d)) return r;
    // Summed in 64 bits: a 32-bit sum could wrap round below 65536.
    const std::uint64_t next = std::uint64_t{pageValue(d)} + by;
    if (next > 0xFFFF) return 14;
    const auto lo = static_cast<std::uint8_t>(next), hi = static_cast<std::uint8_t>(next >> 8);
    const std::uint8_t raw[] = {lo, hi, static_cast<std::uint8_t>(~lo),
                                static_cast<std::uint8_t>(~hi)};
    return writeBlock(4, raw);
}

std::uint16_t decrementPages(std::uint32_t by)
{
    std::vector<std::uint8_t> d;
    if (const std::uint16_t r = readBlock(4, d)) return r;
    const bool blank = d[0] == 0xFF && d[1] == 0xFF && d[2] == 0xFF && d[3] == 0xFF;
    return valueFrame(0xC0, blank ? 5 : 4, by, 4);
}

}  // namespace

extern "C" TK_API TK_STATUS TK_Mif_Request(uint16_t *kind, uint8_t mode)
{
    if (!kind) return 29;
    if (mode > 1) return 14;
    ConnectionState &s = state();
    if (toVelsor()) {
        if (const std::uint16_t r = velsor::call<700>(kind, mode)) return r;
        if (*kind == 0x04 || *kind == 0x10) {
            s.cardType = *kind == 0x04 ? kMifare1k : kPages;
            return 0;
        }
        return 20;
    }
    std::vector<std::uint8_t> reply;
    const std::uint8_t cards[] = {static_cast<std::uint8_t>(mode ? 0x52 : 0x26)};
    if (framed::exchange(frameLink(), framed::kCardRequest, cards, reply, 3) != 0)
        return 5;
    if (reply.size() < 2 || framed::refused(reply, true)) return 20;
    *kind = reply[1];
    for (const KindType &k : kKinds)
        if (k.kind == reply[1]) {
            s.cardType = k.type;
            return 0;
        }
    s.cardType = 1;
    return 20;
}

extern "C" TK_API TK_STATUS TK_Mif_AntiCollision(uint8_t parameter, uint32_t *serial)
{
    if (!serial) return 29;
    if (toVelsor()) return velsor::call<701>(parameter, serial);
    std::vector<std::uint8_t> reply;
    const std::uint8_t params[] = {parameter};
    if (const std::uint16_t r = exchange(kAntiCollision, params, 20, reply)) return r;
    if (reply.size() < 5) return 20;
    const bool skipFirst = parameter == 1 && type() == kKind44;
    std::uint32_t v = 0;
    for (std::size_t i = skipFirst ? 2 : 1; i < 5; ++i) v = v << 8 | reply[i];
    *serial = v;
    return 0;
}

extern "C" TK_API TK_STATUS TK_Mif_Select_CardNumber(uint32_t serial, uint32_t *out,
                                                     uint8_t parameter)
{
    if (!out) return 29;
    if (toVelsor()) return velsor::call<702>(serial, out, parameter);
    *out = 0;
    return exchange(kSelect, {parameter}, 20);
}

extern "C" TK_API TK_STATUS TK_Mif_Load_Key(uint8_t keyKind, uint8_t sector, const uint8_t *key)
{
    if (!key) return 29;
    std::array<std::uint8_t, 6> k{};
    std::copy_n(key, k.size(), k.begin());
    if (toVelsor()) return velsor::call<711>(keyKind, sector, k.data());
    if (type() == kMifare1102) k[4] = k[5] = 0;
    const std::uint8_t params[] = {keyCode(keyKind), sector, k[0], k[1], k[2], k[3], k[4], k[5]};
    std::vector<std::uint8_t> reply;
    return exchange(kLoadKey, params, 21, reply, true);
}

extern "C" TK_API TK_STATUS TK_Mif_Authentication(uint8_t keyKind, uint8_t sector, uint8_t block)
{
    if (toVelsor()) return velsor::call<703>(keyKind, sector, block);
    if (type() == kPages) {
        sector = 0;
        block = 4;
    } else if (block == 0) {
        block = static_cast<std::uint8_t>(sector * 4);
    }
    return exchange(kAuthenticate, {keyCode(keyKind), sector, block}, 22, true) ? 22 : 0;
}

extern "C" TK_API TK_STATUS TK_Mif_Read(uint8_t block, char *text)
{
    if (!text) return 29;
    if (toVelsor()) return cards::forwardRead<705>(block, text);
    std::vector<std::uint8_t> data;
    if (const std::uint16_t r = readBlock(block, data, pageCommands() ? kReadPage : kReadBlock))
        return r;
    bytesToHex(data.data(), data.size(), text);
    return 0;
}

extern "C" TK_API TK_STATUS TK_Mif_Write(uint8_t block, const char *text)
{
    if (!text) return 29;
    if (toVelsor()) {
        std::string copy = cards::privateCopy(text, 2 * writeSize());
        return velsor::call<706>(block, copy.data());
    }
    std::uint8_t data[16];
    hexToBytes(text, 2 * writeSize(), data);
    return writeBlock(block, data);
}

extern "C" TK_API TK_STATUS TK_Mif_ReadString(uint8_t block, uint8_t *bytes)
{
    if (!bytes) return 29;
    char text[32];
    if (const std::uint16_t r = TK_Mif_Read(block, text)) return r;
    hexToBytes(text, 2 * readSize(), bytes);
    return 0;
}

extern "C" TK_API TK_STATUS TK_Mif_WriteString(uint8_t block, const uint8_t *bytes)
{
    if (!bytes) return 29;
    char text[32];
    bytesToHex(bytes, writeSize(), text);
    return TK_Mif_Write(block, text);
}

extern "C" TK_API TK_STATUS TK_Mif_Init_Value(uint8_t block)
{
    if (toVelsor()) return cards::forwardRead<717>(block);
    if (sixteenByteBlocks()) {
        const auto b = block, nb = static_cast<std::uint8_t>(0xFF - block);
        const std::uint8_t zero[16] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                       0, 0, 0, 0, b,    nb,   b,    nb};
        return writeBlock(block, zero, 24, true);
    }
    if (type() != kPages) return 24;
    const std::uint8_t start[4] = {0x00, 0x00, 0xFF, 0xFF}, blank[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    const std::uint16_t r = writeBlock(block, block == 4 ? start : blank, 24, true);
    return r == 0 && block == 4 ? writeBlock(5, blank, 24, true) : r;
}

extern "C" TK_API TK_STATUS TK_Mif_Read_Value(uint8_t block, uint32_t *value)
{
    if (!value) return 29;
    if (toVelsor()) return velsor::call<718>(block, value);
    std::vector<std::uint8_t> d;
    if (const std::uint16_t r = readBlock(type() == kPages ? 4 : block, d)) return r;
    if (type() == kMifare1k)
        *value = std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 |
                 std::uint32_t{d[3]} << 24;
    else if (type() == kPages)
        *value = pageValue(d);
    return 0;
}

extern "C" TK_API TK_STATUS TK_Mif_Increment(uint8_t block, uint32_t value)
{
    if (toVelsor()) return velsor::call<707>(block, value);
    if (type() == kPages) return incrementPages(value);
    if (!sixteenByteBlocks()) return 14;
    return valueFrame(0xC1, block, value, block);
}

extern "C" TK_API TK_STATUS TK_Mif_Decrement(uint8_t block, uint32_t value)
{
    if (toVelsor()) return velsor::call<708>(block, value);
    if (type() == kPages) return decrementPages(value);
    return valueFrame(0xC0, block, value, block);
}

// The reader moves values within the block itself; these need no frame.
extern "C" TK_API TK_STATUS TK_Mif_Restore(uint8_t block)
{
    return toVelsor() ? velsor::call<709>(block) : 0;
}
extern "C" TK_API TK_STATUS TK_Mif_Transfer(uint8_t block)
{
    return toVelsor() ? velsor::call<710>(block) : 0;
}
extern "C" TK_API TK_STATUS TK_Mif_Reset(void)
{
    return toVelsor() ? velsor::call<712>() : kUnsupported;
}
extern "C" TK_API TK_STATUS TK_Mif_Config(void)
{
    return toVelsor() ? velsor::call<715>() : kUnsupported;
}

extern "C" TK_API TK_STATUS TK_Mif_SetHalt(void)
{
    return toVelsor() ? velsor::call<704>() : exchange(kHalt, {}, 23);
}

extern "C" TK_API TK_STATUS TK_Mif1102_Verify(const uint8_t *code)
{
    if (!code) return 29;
    if (toVelsor()) return kUnsupported;
    pause(15);
    return exchange(kVerify1102, {code[0], code[1], code[2], code[3]}, 23);
}

extern "C" TK_API TK_STATUS TK_Mif1102_UpdatePass(const uint8_t *code)
{
    if (!code) return 29;
    if (toVelsor()) return kUnsupported;
    return exchange(kWritePage, {8, code[0], code[1], code[2], code[3]}, 23);
}

extern "C" TK_API TK_STATUS TK_TubDeeply_Control(uint8_t tubState)
{
    return toVelsor() ? kUnsupported : exchange(kTub, {tubState}, 23);
}

extern "C" TK_API TK_STATUS TK_Mifare_UpdateDate(const uint8_t *date)
{
    if (!date) return 29;
    if (state().link != LinkKind::Framed) return kUnsupported;
    std::vector<std::uint8_t> reply;
    const std::span<const std::uint8_t> params(date, 9);
    return framed::exchange(frameLink(), kDate, params, reply, 3) == 0 ? 0 : 5;
}

extern "C" TK_API TK_STATUS TK_Mif_Activate(void)
{
    return toVelsor() ? velsor::call<752>() : kUnsupported;
}

extern "C" TK_API TK_STATUS TK_Mif_RATS(char *ats, uint16_t *length)
{
    if (!toVelsor()) return kUnsupported;
    if (!ats || !length) return 29;
    return velsor::call<753>(ats, length);
}

extern "C" TK_API TK_STATUS TK_Mif_ExchangeBlock(const char *command, uint16_t length,
                                                 char *response, uint16_t *responseLength)
{
    if (!toVelsor()) return kUnsupported;
    if (!command || !response || !responseLength) return 29;
    std::string copy = cards::privateCopy(command, 2 * std::size_t{length});
    return velsor::call<754>(copy.data(), length, response, responseLength);
}

extern "C" TK_API TK_STATUS TK_Mif_DeSelect(void)
{
    return toVelsor() ? velsor::call<755>() : kUnsupported;
}
