#include "transport/timing.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>

namespace tavrik {

namespace {
int gSilenceLimitMs = 2000;
std::uint64_t gPausedMs = 0;
std::array<int, 16> gRecent{};
std::size_t gRecorded = 0;
}  // namespace

void nap(int ms)
{
    if (ms <= 0) return;
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void pause(int ms)
{
    if (ms <= 0) return;
    gPausedMs += static_cast<std::uint64_t>(ms);
    gRecent[gRecorded++ % gRecent.size()] = ms;
    nap(ms);
}

std::uint64_t pausedMs() { return gPausedMs; }

std::vector<int> recentPauses()
{
    std::vector<int> out;
    const std::size_t n = std::min(gRecorded, gRecent.size());
    for (std::size_t i = gRecorded - n; i < gRecorded; ++i) out.push_back(gRecent[i % gRecent.size()]);
    return out;
}

int silenceLimitMs() { return gSilenceLimitMs; }
void setSilenceLimitMs(int ms) { gSilenceLimitMs = ms; }

int unitSettleMs(std::uint32_t baud)
{
    switch (baud) {
    case 1200: return 90;
    case 2400: return 60;
    case 4800: return 30;
    case 9600:
    case 19200: return 50;
    case 38400: return 15;
    case 57600:
    case 115200: return 10;
    default: return 0;
    }
}

int blockReadLeadMs(std::uint32_t baud)
{
    switch (baud) {
    case 1200: return 1000;
    case 2400: return 700;
    case 4800: return 400;
    case 9600: return 180;
    case 19200: return 120;
    case 38400: return 100;
    case 57600: return 60;
    default: return 0;
    }
}

int blockAckWaitMs(std::uint32_t baud)
{
    switch (baud) {
    case 1200: return 1600;
    case 2400: return 1300;
    case 4800: return 1000;
    case 9600: return 700;
    case 19200: return 500;
    case 38400: return 300;
    case 57600: return 200;
    case 115200: return 60;
    default: return 0;
    }
}

int finalBlockWaitMs(std::uint32_t baud, std::size_t blockLength)
{
    int ms;
    if (baud < 38400) {
        ms = blockLength > 32 ? 800 : 600;
        if (baud == 1200) ms += 200;
    } else {
        ms = blockLength > 32 ? 500 : 0;
        ms += blockLength == 63 ? 1500 : 300;
    }
    if (blockLength == 63) ms += 100;
    return ms;
}

}  // namespace tavrik
