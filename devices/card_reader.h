#pragma once
// The reader operations the program uses, one per library export (TK_*), so the IC procedures
// can run over the real library or over a test double. Every call returns the library's status,
// 0 for success.

#include <QString>

#include <array>
#include <cstdint>

namespace mc::devices {

class CardReader {
public:
    virtual ~CardReader() = default;
    virtual std::uint16_t openPort(int port, int baud) = 0;
    virtual std::uint16_t closePort() = 0;
    virtual std::uint16_t testDevice() = 0;
    virtual std::uint16_t testCard() = 0;
    virtual std::uint16_t light(int state) = 0;
    virtual std::uint16_t openCard() = 0;
    virtual std::uint16_t closeCard() = 0;
    virtual std::uint16_t verify(const std::array<quint8, 3>& psc) = 0;
    virtual std::uint16_t changePsc(const std::array<quint8, 3>& psc) = 0;
    // The error counter byte: 07 three tries left, 03 two, 01 one, 00 locked.
    virtual std::uint16_t errorCounter(quint8& counter) = 0;
    // `length` bytes from `address` as 2 × length hexadecimal characters.
    virtual std::uint16_t readHex(int address, int length, QString& hex) = 0;
    virtual std::uint16_t writeHex(int address, int length, const QString& hex) = 0;
};

}  // namespace mc::devices
