// tavrik-sim: a card reader for people who have none. Prints the pseudo-terminal to set as
// TAVRIK_COM<n>, then answers until interrupted, showing every byte with --transcript.
#include "simulator.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace {

using tavriksim::MemoryCard;

const std::map<std::string, std::function<MemoryCard()>> kCards = {
    {"sle4442", MemoryCard::sle4442}, {"sle4428", MemoryCard::sle4428},
    {"at24c", [] { return MemoryCard::at24c(8); }}, {"at45d", MemoryCard::at45d},
    {"at102", MemoryCard::at102}, {"at1604", MemoryCard::at1604}, {"at6601", MemoryCard::at6601},
    {"at1608", MemoryCard::at1608}, {"at153", MemoryCard::at153}, {"sle4406", MemoryCard::sle4406},
    {"tel", MemoryCard::telephone}, {"cpu", MemoryCard::processor},
    {"mifare", [] { return MemoryCard::contactless(0x04); }},
    {"ultralight", [] { return MemoryCard::contactless(0x10); }},
};

volatile sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

int usage()
{
    std::fprintf(stderr,
                 "usage: tavrik-sim [--protocol byte|framed|foreign] [--model 0|1|2]\n"
                 "                  [--card NAME|none] [--transcript]\n"
                 "cards: sle4442 sle4428 at24c (type 8) at45d at102 at1604 at6601 at1608\n"
                 "       at153 sle4406 tel cpu, and the contactless mifare and ultralight\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    tavriksim::Options options;
    std::string card = "sle4442";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--transcript") {
            options.onEvent = [](const tavriksim::Event &e) {
                std::fprintf(stderr, "%s %02X\n", e.fromHost ? "host>" : "<card", e.byte);
            };
        } else if (arg == "--protocol" && value) {
            const std::string p = argv[++i];
            if (p == "byte") options.protocol = tavriksim::Protocol::Byte;
            else if (p == "framed") options.protocol = tavriksim::Protocol::Framed;
            else if (p == "foreign") options.protocol = tavriksim::Protocol::Foreign;
            else return usage();
        } else if (arg == "--model" && value) {
            options.model = std::atoi(argv[++i]);
            if (options.model < 0 || options.model > 2) return usage();
        } else if (arg == "--card" && value) {
            card = argv[++i];
            if (card != "none" && !kCards.count(card)) return usage();
        } else {
            return usage();
        }
    }
    tavriksim::Simulator sim(options);
    if (card != "none") sim.insert(kCards.at(card)());
    std::printf("%s\n", sim.slavePath().c_str());
    std::fflush(stdout);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    while (!stopRequested) pause();
    return 0;
}
