#include "simulator.h"

#include "line_rate.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace tavriksim {

namespace {

std::string hexText(const Bytes &bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t b : bytes) {
        s += kDigits[b >> 4];
        s += kDigits[b & 0x0F];
    }
    return s;
}

}  // namespace

Simulator::Simulator(Options options) : options_(std::move(options)), workerLock_(mu_, std::defer_lock)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0)
        throw std::runtime_error("tavrik-sim: no pseudo-terminal");
    slavePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    if (slave_ < 0 || tcgetattr(slave_, &t) != 0) throw std::runtime_error("tavrik-sim: no slave");
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
    if (pipe2(stopPipe_, O_CLOEXEC) != 0) throw std::runtime_error("tavrik-sim: no pipe");
    worker_ = std::thread([this] { serve(); });
}

Simulator::~Simulator()
{
    const char stop = 1;
    (void)!write(stopPipe_[1], &stop, 1);
    worker_.join();
    for (int fd : {master_, slave_, stopPipe_[0], stopPipe_[1]})
        if (fd >= 0) close(fd);
}

void Simulator::insert(const MemoryCard &card)
{
    std::lock_guard lock(mu_);
    card_ = card;
}

void Simulator::remove()
{
    std::lock_guard lock(mu_);
    card_.reset();
}

std::optional<MemoryCard> Simulator::card() const
{
    std::lock_guard lock(mu_);
    return card_;
}

void Simulator::editCard(const std::function<void(MemoryCard &)> &edit)
{
    std::lock_guard lock(mu_);
    if (card_) edit(*card_);
}

void Simulator::dropProbes(int count)
{
    std::lock_guard lock(mu_);
    dropProbes_ = count;
}

void Simulator::splitNextReply(std::size_t at, int gapMs, int skip)
{
    std::lock_guard lock(mu_);
    splitAt_ = at;
    splitGapMs_ = gapMs;
    splitSkip_ = skip;
}

void Simulator::trickle(int gapMs)
{
    std::lock_guard lock(mu_);
    trickleMs_ = gapMs;
}

void Simulator::refuse(std::uint8_t command)
{
    std::lock_guard lock(mu_);
    refused_.insert(command);
}

void Simulator::removeCardOn(std::uint8_t command)
{
    std::lock_guard lock(mu_);
    removeOn_ = command;
}

void Simulator::insertCardAfter(int ms, const MemoryCard &card)
{
    std::lock_guard lock(mu_);
    pendingCard_ = card;
    pendingAt_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

std::vector<Event> Simulator::transcript() const
{
    std::lock_guard lock(mu_);
    return transcript_;
}

Bytes Simulator::fromHost() const
{
    Bytes out;
    for (const Event &e : transcript())
        if (e.fromHost) out.push_back(e.byte);
    return out;
}

Bytes Simulator::toHost() const
{
    Bytes out;
    for (const Event &e : transcript())
        if (!e.fromHost) out.push_back(e.byte);
    return out;
}

void Simulator::clearTranscript()
{
    std::lock_guard lock(mu_);
    transcript_.clear();
}

int Simulator::lightState() const
{
    std::lock_guard lock(mu_);
    return light_;
}

int Simulator::beepLength() const
{
    std::lock_guard lock(mu_);
    return beep_;
}

int Simulator::rateCode() const
{
    std::lock_guard lock(mu_);
    return rate_;
}

std::vector<std::uint32_t> Simulator::probeRates() const
{
    std::lock_guard lock(mu_);
    return probeRates_;
}

void Simulator::record(bool fromHost, std::uint8_t b)
{
    transcript_.push_back({fromHost, b});
    if (options_.onEvent) options_.onEvent(transcript_.back());
}

// The next byte from the host; mu_ is free while waiting for it.
std::uint8_t Simulator::next()
{
    if (pushedBack_) {
        const std::uint8_t b = *pushedBack_;
        pushedBack_.reset();
        return b;
    }
    for (;;) {
        if (pendingCard_ && std::chrono::steady_clock::now() >= pendingAt_) {
            card_ = pendingCard_;
            pendingCard_.reset();
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        workerLock_.unlock();
        const int r = poll(fds, 2, pendingCard_ ? 10 : 200);
        workerLock_.lock();
        if (fds[1].revents) throw Stopped{};
        if (r <= 0 || !(fds[0].revents & POLLIN)) continue;
        std::uint8_t b;
        if (read(master_, &b, 1) == 1) {
            record(true, b);
            return b;
        }
    }
}

std::uint16_t Simulator::word()
{
    const std::uint8_t hi = next();
    return static_cast<std::uint16_t>(hi << 8 | next());
}

Bytes Simulator::take(std::size_t n)
{
    Bytes out;
    while (out.size() < n) out.push_back(next());
    return out;
}

void Simulator::reply(const Bytes &bytes)
{
    std::size_t cut = bytes.size();
    if (splitSkip_ == 0 && splitAt_ < bytes.size()) cut = splitAt_;
    if (splitSkip_ >= 0) --splitSkip_;
    // A gap ends early when the simulator is being shut down.
    const auto gap = [this](int ms) {
        pollfd stop{stopPipe_[0], POLLIN, 0};
        workerLock_.unlock();
        const int r = poll(&stop, 1, ms);
        workerLock_.lock();
        if (r > 0) throw Stopped{};
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == cut) gap(splitGapMs_);
        if (i > 0 && trickleMs_ > 0) gap(trickleMs_);
        while (write(master_, &bytes[i], 1) != 1 && errno == EINTR) {
        }
        record(false, bytes[i]);
    }
}

void Simulator::replyHex(const Bytes &bytes)
{
    const std::string text = hexText(bytes);
    reply(Bytes(text.begin(), text.end()));
}

void Simulator::serve()
{
    workerLock_.lock();
    try {
        for (;;) {
            const std::uint8_t b = next();
            if (b == kProbe) probeRates_.push_back(lineRate(slave_));
            if (options_.protocol == Protocol::Byte)
                serveByteProtocol(b);
            else if (b == kProbe)
                reply(options_.protocol == Protocol::Framed ? Bytes{0x01, 0x22} : Bytes{'5', 'A'});
            else if (options_.protocol == Protocol::Framed)
                serveFrame(b);
        }
    } catch (const Stopped &) {
    }
    workerLock_.unlock();
}

}  // namespace tavriksim
