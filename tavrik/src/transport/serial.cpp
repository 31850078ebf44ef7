// termios2 lets the port run at any rate (14400 and 28800 have no B-constant), so this
// unit uses the kernel's termios header instead of <termios.h>.
#include "transport/serial.h"

#include "transport/timing.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <mutex>

namespace tavrik {

namespace {

bool rawMode(int fd, std::uint32_t baud)
{
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | CBAUD);
    t.c_cflag |= CS8 | CREAD | CLOCAL | BOTHER;
    t.c_ispeed = t.c_ospeed = baud;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ioctl(fd, TCSETS2, &t) == 0;
}

bool brokenHandle(int err) { return err == EBADF || err == EIO || err == ENXIO || err == ENODEV; }

}  // namespace

bool SerialPort::open(const std::string &path, std::uint32_t baud)
{
    close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (ioctl(fd, TIOCEXCL) != 0 || !rawMode(fd, baud)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    baud_ = baud;
    purge();
    std::uint8_t stale[512];
    while (read(stale, sizeof stale) > 0) {
    }
    return true;
}

bool SerialPort::reopen()
{
    if (path_.empty()) return false;
    const std::string path = path_;
    return open(path, baud_);
}

void SerialPort::close()
{
    if (fd_ < 0) return;
    // Exclusive mode outlives our handle while anyone else holds the device open.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool SerialPort::setBaud(std::uint32_t baud)
{
    if (fd_ < 0 || !rawMode(fd_, baud)) return false;
    baud_ = baud;
    return true;
}

void SerialPort::purge()
{
    if (fd_ >= 0) ioctl(fd_, TCFLSH, TCIOFLUSH);
}

WriteResult SerialPort::write(const std::uint8_t *data, std::size_t n)
{
    std::lock_guard lock(io_);
    if (fd_ < 0) return WriteResult::Broken;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(silenceLimitMs());
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR)
            return brokenHandle(errno) ? WriteResult::Broken : WriteResult::Failed;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return WriteResult::Failed;
        pollfd p{fd_, POLLOUT, 0};
        poll(&p, 1, static_cast<int>(left.count()));
    }
    return WriteResult::Ok;
}

long SerialPort::receive(std::uint8_t *buf, std::size_t room, const Wait &wait)
{
    const int first = waitReadable(wait.firstMs);
    if (first <= 0) return first;
    pause(wait.settleMs);
    if (wait.least > 1) {
        const int arrived = awaitQueued(wait.least);
        if (arrived <= 0) return arrived;
    }
    std::size_t got = 0;
    do {
        // Characters are queued: a read that brings none means the port failed.
        const long r = read(buf + got, room - got);
        if (r <= 0) return -1;
        got += static_cast<std::size_t>(r);
    } while (got < wait.least && got < room);
    return static_cast<long>(got);
}

// Gives up after the silence limit without progress, and in any case after the silence limit
// plus twice the line time of the characters, so that a reader trickling bytes cannot hold
// the host either.
int SerialPort::awaitQueued(std::size_t least)
{
    const std::uint32_t baud = baud_ ? baud_ : 1200;
    const auto lineTime =
        std::chrono::microseconds(2LL * static_cast<long long>(least) * 10 * 1000000 / baud);
    const auto now = [] { return std::chrono::steady_clock::now(); };
    const auto silence = std::chrono::milliseconds(silenceLimitMs());
    const auto deadline = now() + silence + lineTime;
    int last = queued();
    auto quietSince = now();
    while (static_cast<std::size_t>(last) < least) {
        nap(10);
        if (fd_ < 0) return -1;
        const int count = queued();
        if (count != last) {
            last = count;
            quietSince = now();
        }
        if (now() - quietSince > silence || now() > deadline) return 0;
    }
    return 1;
}

int SerialPort::waitReadable(int ms)
{
    if (fd_ < 0) return -1;
    if (queued() > 0) return 1;
    pollfd p{fd_, POLLIN, 0};
    int r;
    do {
        r = poll(&p, 1, ms);
    } while (r < 0 && errno == EINTR);
    if (r < 0 || (p.revents & (POLLERR | POLLNVAL))) return -1;
    if (r == 0) return 0;
    return (p.revents & POLLIN) ? 1 : -1;
}

int SerialPort::queued()
{
    int n = 0;
    if (fd_ < 0 || ioctl(fd_, FIONREAD, &n) != 0) return 0;
    return n;
}

long SerialPort::read(std::uint8_t *buf, std::size_t room)
{
    std::lock_guard lock(io_);
    if (fd_ < 0) return -1;
    const ssize_t r = ::read(fd_, buf, room);
    if (r < 0) return errno == EAGAIN || errno == EINTR ? 0 : -1;
    return r;
}

}  // namespace tavrik
