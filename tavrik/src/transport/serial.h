// A serial port in raw mode: no flow control, no character translation, bounded waits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrik {

enum class WriteResult {
    Ok,
    Broken,  // the handle is no longer usable (closed under us, device gone)
    Failed,  // the port would not take the bytes in time
};

class SerialPort {
public:
    SerialPort() = default;
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;
    ~SerialPort() { close(); }

    // Opens the device exclusively and sets raw 8N1 at the rate; false when either fails.
    bool open(const std::string &path, std::uint32_t baud);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int handle() const { return fd_; }

    bool setBaud(std::uint32_t baud);
    // Drops what is queued in both directions.
    void purge();

    WriteResult write(const std::uint8_t *data, std::size_t n);
    // 1 when characters are queued, 0 after ms without any, -1 when the port failed.
    int waitReadable(int ms);
    // Number of characters queued for reading.
    int queued();
    // Reads at most room queued characters without waiting; -1 on failure.
    long read(std::uint8_t *buf, std::size_t room);

private:
    int fd_ = -1;
};

}  // namespace tavrik
