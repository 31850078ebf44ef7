#include "transport/byte_protocol.h"

#include "hex.h"
#include "state.h"
#include "tavrik.h"
#include "transport/timing.h"

#include <chrono>
#include <vector>

namespace tavrik::bp {

namespace {

bool reopening = false;

// Waits until at least `need` characters are queued: 1 when they are there, 0 when they did
// not come, -1 on a port failure. Gives up after the silence limit without progress, and in
// any case after the silence limit plus twice the line time of the characters, so that a
// reader trickling bytes cannot hold the host either.
int awaitQueued(int need)
{
    ConnectionState &s = state();
    const std::uint32_t baud = s.currentBaud ? s.currentBaud : 1200;
    const auto lineTime = std::chrono::microseconds(2LL * need * 10 * 1000000 / baud);
    const auto now = [] { return std::chrono::steady_clock::now(); };
    const auto silence = std::chrono::milliseconds(silenceLimitMs());
    const auto deadline = now() + silence + lineTime;
    int last = s.serial.queued();
    auto quietSince = now();
    while (last < need) {
        nap(10);
        if (!s.serial.isOpen()) return -1;
        const int queued = s.serial.queued();
        if (queued != last) {
            last = queued;
            quietSince = now();
        }
        if (now() - quietSince > silence || now() > deadline) return 0;
    }
    return 1;
}

}  // namespace

bool send(const std::uint8_t *data, std::size_t n)
{
    ConnectionState &s = state();
    if (!s.serial.isOpen()) return false;
    const WriteResult r = s.serial.write(data, n);
    if (r == WriteResult::Ok) return true;
    if (r == WriteResult::Failed || reopening) return false;
    // The handle broke under an open port: reopen on the identified port and repeat once.
    reopening = true;
    s.serial.close();
    const bool reopened = TK_Com_Open(s.identifiedPort, s.currentBaud) == 0;
    reopening = false;
    return reopened && s.serial.write(data, n) == WriteResult::Ok;
}

bool sendByte(std::uint8_t b) { return send(&b, 1); }

void clearReceive()
{
    state().rxCount = 0;
    state().rxPos = 0;
}

int Unit::value() const
{
    const std::uint8_t hi = hexDigit(c[0]), lo = hexDigit(c[1]);
    if (hi > 15 || lo > 15) return -1;
    return hi << 4 | lo;
}

Unit readUnit()
{
    ConnectionState &s = state();
    Unit u;
    if (s.rxCount - s.rxPos >= 2) {
        u.c[0] = s.rx[s.rxPos];
        u.c[1] = s.rx[s.rxPos + 1];
        s.rxPos += 2;
        u.ok = true;
        return u;
    }
    int have = 0;
    if (s.rxCount - s.rxPos == 1) u.c[have++] = s.rx[s.rxPos];
    clearReceive();
    // A reply may come in pieces; keep reading until both characters are here, within one
    // silence limit for the whole unit.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(silenceLimitMs());
    while (have < 2) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || s.serial.waitReadable(static_cast<int>(left.count())) <= 0)
            return u;
        pause(unitSettleMs(s.currentBaud));
        const long n = s.serial.read(reinterpret_cast<std::uint8_t *>(s.rx), sizeof s.rx);
        if (n < 0) {
            s.serial.purge();
            return u;
        }
        s.rxCount = static_cast<int>(n);
        s.rxPos = 0;
        while (have < 2 && s.rxPos < s.rxCount) u.c[have++] = s.rx[s.rxPos++];
    }
    u.ok = true;
    return u;
}

bool readTerminator()
{
    const Unit u = readUnit();
    return u.ok && u.value() == kTerminator;
}

std::uint16_t handshake(std::uint8_t command)
{
    ConnectionState &s = state();
    const bool savedRaw = s.rawReplies;
    s.rawReplies = false;
    std::uint16_t status = 5;
    bool answered = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!answered) {
            if (!sendByte(kProbe)) break;
            const Unit probe = readUnit();
            if (!probe.ok || probe.value() != kProbe) continue;
            answered = true;
            if (!sendByte(command)) break;
        }
        const Unit u = readUnit();
        if (!u.ok) continue;
        if (u.value() == kRefused) break;
        if (u.value() == 0x01) {
            status = 1;
            break;
        }
        if (u.value() == command) {
            status = 0;
            break;
        }
    }
    s.rawReplies = savedRaw;
    return status;
}

bool sendWord(std::uint16_t value, int pauseMs)
{
    if (!sendByte(static_cast<std::uint8_t>(value >> 8)) ||
        !sendByte(static_cast<std::uint8_t>(value & 0xFF)))
        return false;
    pause(pauseMs);
    return true;
}

std::uint16_t readHexBlock(std::size_t n, char *out)
{
    ConnectionState &s = state();
    s.rawReplies = true;
    if (n == 0) return 0;
    if (s.rxCount - s.rxPos > 0) {
        // The reply began with what is already buffered: take it unit by unit.
        for (std::size_t i = 0; i < n; ++i) {
            const Unit u = readUnit();
            if (!u.ok) return 5;
            out[2 * i] = u.c[0];
            out[2 * i + 1] = u.c[1];
        }
        return 0;
    }
    pause(blockReadLeadMs(s.currentBaud));
    const int first = s.serial.waitReadable(silenceLimitMs());
    if (first == 0) return 5;
    if (first < 0) return 8;
    const int need = static_cast<int>(2 * n);
    const int arrived = awaitQueued(need);
    if (arrived == 0) return 5;
    if (arrived < 0) return 8;
    long got = 0;
    while (got < need) {
        const long r = s.serial.read(reinterpret_cast<std::uint8_t *>(out) + got,
                                     static_cast<std::size_t>(need - got));
        if (r <= 0) return 8;
        got += r;
    }
    return 0;
}

std::uint16_t writeHexBlock(const char *text, std::size_t n)
{
    ConnectionState &s = state();
    // Work on a private copy: the caller's text is never touched.
    std::vector<std::uint8_t> bytes(n);
    hexToBytes(text, 2 * n, bytes.data());
    constexpr std::size_t kBlock = 64;
    std::size_t sent = 0;
    for (; n - sent >= kBlock; sent += kBlock) {
        if (!send(bytes.data() + sent, kBlock)) return 5;
        clearReceive();
        pause(blockAckWaitMs(s.currentBaud));
        if (!readUnit().ok) return 5;
    }
    const std::size_t rest = n - sent;
    if (rest == 0) return 0;
    if (!send(bytes.data() + sent, rest)) return 5;
    const bool acknowledged =
        s.readerModel == 2 || (s.readerModel == 1 && s.cardType != kUnacknowledgedCardType);
    if (acknowledged) {
        char ack[2];
        return readHexBlock(1, ack) == 0 ? 0 : 5;
    }
    pause(finalBlockWaitMs(s.currentBaud, rest));
    return 0;
}

}  // namespace tavrik::bp
