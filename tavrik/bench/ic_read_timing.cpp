// tavrik-ic-timing: how long an IC card read takes as the membership program does it, how
// much of that is the protocol's fixed pauses, and how much processor time the caller uses
// while it waits for a card. Runs against the simulator on a pseudo-terminal. Not a test.
#include "simulator.h"
#include "tavrik.h"
#include "transport/timing.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double threadCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

bool check(TK_STATUS r, const char *what)
{
    if (r != 0) std::fprintf(stderr, "%s failed: %u\n", what, r);
    return r == 0;
}

// Open, test device, wait for the card, open it, present the code, read the card number
// and the balance, close: the IC read of the card-number dialog.
bool icRead()
{
    if (!check(TK_Com_Open(1, 115200), "open") || !check(TK_TestDevice(), "device")) return false;
    while (TK_TestCard() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    char number[10], balance[10];
    const bool ok = check(TK_SLE4442_OpenCard(), "open card") && check(TK_Control_light(1), "light") &&
                    check(TK_SLE4442_VerifyPWD(0x12, 0x34, 0x56), "verify") &&
                    check(TK_Control_light(2), "light") &&
                    check(TK_SLE4442_ReadChar(9, 5, number), "number") &&
                    check(TK_SLE4442_ReadChar(26, 5, balance), "balance");
    TK_Control_light(0);
    TK_SLE4442_CloseCard();
    TK_Com_Close();
    return ok;
}

tavriksim::MemoryCard memberCard()
{
    auto card = tavriksim::MemoryCard::sle4442();
    card.code = {0x12, 0x34, 0x56};
    return card;
}

}  // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    tavriksim::Simulator sim;
    setenv("TAVRIK_COM1", sim.slavePath().c_str(), 1);
    sim.insert(memberCard());

    double total = 0, slowest = 0, paused = 0;
    for (int i = 0; i < rounds; ++i) {
        const auto pausedBefore = tavrik::pausedMs();
        const auto start = Clock::now();
        if (!icRead()) return 1;
        const double t = ms(Clock::now() - start);
        total += t;
        slowest = std::max(slowest, t);
        paused += static_cast<double>(tavrik::pausedMs() - pausedBefore);
    }
    std::printf("IC read (card present), %d rounds: mean %.1f ms, slowest %.1f ms\n", rounds,
                total / rounds, slowest);
    std::printf("  of which fixed protocol pauses: %.1f ms per read; the rest, %.1f ms, is the\n"
                "  wait for the reader's bytes and the library's own work\n",
                paused / rounds, (total - paused) / rounds);

    // Waiting for a card: the dialog polls TK_TestCard on a 100 ms timer until one arrives.
    sim.remove();
    constexpr int kWaitMs = 3000;
    sim.insertCardAfter(kWaitMs, memberCard());
    const double cpuBefore = threadCpuMs();
    const auto start = Clock::now();
    if (!icRead()) return 1;
    const double wall = ms(Clock::now() - start);
    const double cpu = threadCpuMs() - cpuBefore;
    std::printf("IC read with the card arriving after %d ms: %.1f ms in all, %.1f ms processor\n"
                "  time in the calling thread (%.2f%% of the wait)\n",
                kWaitMs, wall, cpu, 100.0 * cpu / wall);

    // The same wait without the host's timer: TK_TestCard called back to back.
    sim.remove();
    sim.insertCardAfter(kWaitMs, memberCard());
    TK_Com_Open(1, 115200);
    const double cpuTight = threadCpuMs();
    const auto startTight = Clock::now();
    int calls = 0;
    while (TK_TestCard() != 0) ++calls;
    const double wallTight = ms(Clock::now() - startTight);
    const double cpuUsed = threadCpuMs() - cpuTight;
    TK_Com_Close();
    std::printf("TK_TestCard back to back until the card came: %d calls in %.1f ms, %.1f ms\n"
                "  processor time (%.2f%%)\n",
                calls, wallTight, cpuUsed, 100.0 * cpuUsed / wallTight);
    return 0;
}
