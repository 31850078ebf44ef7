#pragma once
// The card reader as the reader library (libTavrik) drives it.

#include "card_reader.h"

namespace mc::devices {

class TavrikCardReader final : public CardReader {
public:
    std::uint16_t openPort(int port, int baud) override;
    std::uint16_t closePort() override;
    std::uint16_t testDevice() override;
    std::uint16_t testCard() override;
    std::uint16_t light(int state) override;
    std::uint16_t openCard() override;
    std::uint16_t closeCard() override;
    std::uint16_t verify(const std::array<quint8, 3>& psc) override;
    std::uint16_t changePsc(const std::array<quint8, 3>& psc) override;
    std::uint16_t errorCounter(quint8& counter) override;
    std::uint16_t readHex(int address, int length, QString& hex) override;
    std::uint16_t writeHex(int address, int length, const QString& hex) override;
};

// The one reader of this workstation; the library keeps one connection per process.
CardReader& libraryReader();

}  // namespace mc::devices
