// tavrik-sim: a card reader on a pseudo-terminal. Point TAVRIK_COM<n> at slavePath() and the
// library talks to it as to a reader on COM<n>. It answers from a thread of its own.
#pragma once
#include "memory_card.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace tavriksim {

// The byte every exchange with a reader starts with.
constexpr std::uint8_t kProbe = ':';

enum class Protocol {
    Byte,     // the single-byte command protocol
    Framed,   // length-prefixed frames; answers the probe with 01h 22h
    Foreign,  // answers the probe with something neither protocol sends
};

struct Event {
    bool fromHost;  // true: host to reader
    std::uint8_t byte;
};

struct Options {
    Protocol protocol = Protocol::Byte;
    int model = 2;                       // byte protocol reader model 0, 1 or 2
    std::uint8_t framedCardKind = 0x04;  // what the framed card request reports
    std::function<void(const Event &)> onEvent;  // sees every byte as it passes
};

class Simulator {
public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    const std::string &slavePath() const { return slavePath_; }

    // The card slot.
    void insert(const MemoryCard &card);
    void remove();
    std::optional<MemoryCard> card() const;
    // Changes the card in the slot in place (a no-op without a card).
    void editCard(const std::function<void(MemoryCard &)> &edit);

    // Faults.
    void dropProbes(int count);  // the next count ':' get no answer
    // The reply after the next `skip` replies is sent in two parts, `at` bytes first.
    void splitNextReply(std::size_t at, int gapMs, int skip = 0);
    // Every byte of every reply is followed by a gap, as from a reader that trickles.
    void trickle(int gapMs);
    void refuse(std::uint8_t command);          // answer '?' (framed: status 01h)
    void removeCardOn(std::uint8_t command);    // the card is pulled when the command arrives
    void insertCardAfter(int ms, const MemoryCard &card);

    // Every byte both ways, in order.
    std::vector<Event> transcript() const;
    Bytes fromHost() const;
    Bytes toHost() const;
    void clearTranscript();

    // What the reader was last told.
    int lightState() const;
    int beepLength() const;
    int rateCode() const;
    // The line rate the host had set when each probe arrived.
    std::vector<std::uint32_t> probeRates() const;

private:
    struct Stopped {};
    std::uint8_t next();
    std::uint16_t word();
    Bytes take(std::size_t n);
    void reply(const Bytes &bytes);
    void replyHex(const Bytes &bytes);
    void serve();
    void serveByteProtocol(std::uint8_t b);
    void command(std::uint8_t cmd);
    void cardCommand(std::uint8_t cmd);
    void familyCommand(std::uint8_t cmd);
    void processorReply(const Bytes &data);
    void cardFrame(std::uint8_t cmd, const Bytes &params);
    void replyFrame(std::uint8_t status, const Bytes &data = {});
    // Contactless value blocks and pages.
    bool valueOperation(MemoryCard &c, const Bytes &params);
    Bytes receiveBlocks(std::size_t n);
    void serveFrame(std::uint8_t length);
    void record(bool fromHost, std::uint8_t b);

    Options options_;
    int master_ = -1;
    int slave_ = -1;  // held open so the terminal survives the host closing it
    int stopPipe_[2] = {-1, -1};
    std::string slavePath_;

    mutable std::mutex mu_;
    std::unique_lock<std::mutex> workerLock_;  // the worker holds mu_ except while waiting
    std::optional<MemoryCard> card_;
    std::optional<MemoryCard> pendingCard_;
    std::chrono::steady_clock::time_point pendingAt_;
    int dropProbes_ = 0;
    std::optional<std::uint8_t> pushedBack_;
    bool probed_ = false;
    std::size_t splitAt_ = 0;
    int splitGapMs_ = 0;
    int splitSkip_ = -1;
    int trickleMs_ = 0;
    std::set<std::uint8_t> refused_;
    std::optional<std::uint8_t> removeOn_;
    std::vector<Event> transcript_;
    int light_ = -1, beep_ = -1, rate_ = -1;
    std::vector<std::uint32_t> probeRates_;
    bool processorPowered_ = false;
    MemoryCard sam_ = MemoryCard::processor();  // the SAM slot is never empty
    Bytes loadedKey_;
    std::set<int> authenticated_;  // sectors of a Mifare card opened with the right key
    std::thread worker_;
};

}  // namespace tavriksim
