#include "transport/byte_protocol.h"

#include "hex.h"
#include "tavrik.h"
#include "transport/timing.h"

#include <chrono>
#include <vector>

namespace tavrik::bp {

bool send(ByteLink &link, const std::uint8_t *data, std::size_t n)
{
    if (!link.serial.isOpen()) return false;
    const WriteResult r = link.serial.write(data, n);
    if (r != WriteResult::Broken) return r == WriteResult::Ok;
    // The handle broke under an open port, as when the device is unplugged and back: the
    // same device at the same rate once more, then the write again.
    clearReceive(link);
    return link.serial.reopen() && link.serial.write(data, n) == WriteResult::Ok;
}

bool sendByte(ByteLink &link, std::uint8_t b) { return send(link, &b, 1); }

void clearReceive(ByteLink &link)
{
    link.rxCount = 0;
    link.rxPos = 0;
}

int Unit::value() const
{
    const std::uint8_t hi = hexDigit(c[0]), lo = hexDigit(c[1]);
    if (hi > 15 || lo > 15) return -1;
    return hi << 4 | lo;
}

Unit readUnit(ByteLink &link)
{
    Unit u;
    if (link.rxCount - link.rxPos >= 2) {
        u.c[0] = link.rx[link.rxPos];
        u.c[1] = link.rx[link.rxPos + 1];
        link.rxPos += 2;
        u.ok = true;
        return u;
    }
    int have = 0;
    if (link.rxCount - link.rxPos == 1) u.c[have++] = link.rx[link.rxPos];
    clearReceive(link);
    // A reply may come in pieces; each piece replaces the buffer, and the whole unit has one
    // silence limit.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(silenceLimitMs());
    while (have < 2) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return u;
        const long n = link.serial.receive(
            reinterpret_cast<std::uint8_t *>(link.rx), sizeof link.rx,
            {.firstMs = static_cast<int>(left.count()), .settleMs = unitSettleMs(link.currentBaud)});
        if (n == 0) return u;
        if (n < 0) {
            link.serial.purge();
            return u;
        }
        link.rxCount = static_cast<int>(n);
        link.rxPos = 0;
        while (have < 2 && link.rxPos < link.rxCount) u.c[have++] = link.rx[link.rxPos++];
    }
    u.ok = true;
    return u;
}

bool readTerminator(ByteLink &link)
{
    const Unit u = readUnit(link);
    return u.ok && u.value() == kTerminator;
}

std::uint16_t handshake(ByteLink &link, std::uint8_t command)
{
    const bool savedRaw = link.rawReplies;
    link.rawReplies = false;
    std::uint16_t status = TK_NO_ANSWER;
    bool answered = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!answered) {
            if (!sendByte(link, kProbe)) break;
            const Unit probe = readUnit(link);
            if (!probe.ok || probe.value() != kProbe) continue;
            answered = true;
            if (!sendByte(link, command)) break;
        }
        const Unit u = readUnit(link);
        if (!u.ok) continue;
        if (u.value() == kRefused) break;
        if (u.value() == 0x01) {
            status = TK_NO_CARD;
            break;
        }
        if (u.value() == command) {
            status = TK_SUCCESS;
            break;
        }
    }
    link.rawReplies = savedRaw;
    return status;
}

bool sendWord(ByteLink &link, std::uint16_t value, int pauseMs)
{
    if (!sendByte(link, static_cast<std::uint8_t>(value >> 8)) ||
        !sendByte(link, static_cast<std::uint8_t>(value & 0xFF)))
        return false;
    pause(pauseMs);
    return true;
}

std::uint16_t readHexBlock(ByteLink &link, std::size_t n, char *out)
{
    link.rawReplies = true;
    if (n == 0) return TK_SUCCESS;
    if (link.rxCount - link.rxPos > 0) {
        // The reply began with what is already buffered: take it unit by unit.
        for (std::size_t i = 0; i < n; ++i) {
            const Unit u = readUnit(link);
            if (!u.ok) return TK_NO_ANSWER;
            out[2 * i] = u.c[0];
            out[2 * i + 1] = u.c[1];
        }
        return TK_SUCCESS;
    }
    pause(blockReadLeadMs(link.currentBaud));
    const long got = link.serial.receive(reinterpret_cast<std::uint8_t *>(out), 2 * n,
                                         {.firstMs = silenceLimitMs(), .least = 2 * n});
    if (got < 0) return TK_RECEIVE_FAILED;
    return got == 0 ? TK_NO_ANSWER : TK_SUCCESS;
}

std::uint16_t writeHexBlock(ByteLink &link, const char *text, std::size_t n, bool lastAcknowledged)
{
    // Work on a private copy: the caller's text is never touched.
    std::vector<std::uint8_t> bytes(n);
    hexToBytes(text, 2 * n, bytes.data());
    constexpr std::size_t kBlock = 64;
    std::size_t sent = 0;
    for (; n - sent >= kBlock; sent += kBlock) {
        if (!send(link, bytes.data() + sent, kBlock)) return TK_NO_ANSWER;
        clearReceive(link);
        pause(blockAckWaitMs(link.currentBaud));
        if (!readUnit(link).ok) return TK_NO_ANSWER;
    }
    const std::size_t rest = n - sent;
    if (rest == 0) return TK_SUCCESS;
    if (!send(link, bytes.data() + sent, rest)) return TK_NO_ANSWER;
    if (lastAcknowledged) {
        char ack[2];
        return readHexBlock(link, 1, ack) == 0 ? TK_SUCCESS : TK_NO_ANSWER;
    }
    pause(finalBlockWaitMs(link.currentBaud, rest));
    return TK_SUCCESS;
}

}  // namespace tavrik::bp
