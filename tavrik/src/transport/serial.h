// A serial port in raw mode: no flow control, no character translation, bounded waits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace tavrik {

enum class WriteResult {
    Ok,
    Broken,  // the handle is no longer usable (closed under us, device gone)
    Failed,  // the port would not take the bytes in time
};

// What a receive waits for before it reads.
struct Wait {
    int firstMs;             // longest wait for the first character
    int settleMs = 0;        // the protocol's pause once characters come, before reading
    std::size_t least = 1;   // characters to have before reading; the rest may keep the host no
                             // longer than the silence limit without progress
};

// The reader's serial link: open, close, purge, set the rate, send and receive, each wait
// bounded. Every single write and read holds the port's lock, so that a write and a read
// never interleave.
class SerialPort {
public:
    SerialPort() = default;
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;
    ~SerialPort() { close(); }

    // Opens the device exclusively, sets raw 8N1 at the rate and reads away anything queued;
    // false when it cannot be opened or set.
    bool open(const std::string &path, std::uint32_t baud);
    // Opens again the device and rate of the last open, for a handle that broke under us.
    bool reopen();
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int handle() const { return fd_; }

    bool setBaud(std::uint32_t baud);
    // Drops what is queued in both directions.
    void purge();

    WriteResult write(const std::uint8_t *data, std::size_t n);
    // Waits as told, then reads at most room characters: the count read, 0 when they did not
    // come in time, -1 when the port failed.
    long receive(std::uint8_t *buf, std::size_t room, const Wait &wait);

    // 1 when characters are queued, 0 after ms without any, -1 when the port failed.
    int waitReadable(int ms);
    // Number of characters queued for reading.
    int queued();
    // Reads at most room queued characters without waiting; -1 on failure.
    long read(std::uint8_t *buf, std::size_t room);

private:
    // Waits until `least` characters are queued: 1 when they are, 0 when they did not come.
    int awaitQueued(std::size_t least);

    int fd_ = -1;
    std::string path_;
    std::uint32_t baud_ = 0;
    std::mutex io_;
};

}  // namespace tavrik
