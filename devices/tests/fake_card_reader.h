#pragma once
// A reader with an SLE4442 in it, for the IC procedures: main memory, the security code and its
// error counter as the chip keeps them, writes ignored until the code is verified, and a log of
// every code presented.

#include "card_reader.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace mctest {

struct FakeSle4442 {
    QByteArray memory = QByteArray(256, '\xFF');
    std::array<quint8, 3> psc = {0xFF, 0xFF, 0xFF};
    quint8 counter = 0x07;
    bool verified = false;
    int wrongCodes = 0;  // how many wrong codes were presented to this card

    bool present(const std::array<quint8, 3>& code)
    {
        if (counter == 0)
            return false;
        if (code == psc) {
            counter = 0x07;
            verified = true;
            return true;
        }
        ++wrongCodes;
        counter = quint8(counter >> 1);  // one try fewer
        return false;
    }
};

class FakeCardReader : public mc::devices::CardReader {
public:
    bool portWorks = true;
    bool deviceAnswers = true;
    FakeSle4442* card = nullptr;  // the card in the reader, if any
    bool portOpen = false;
    // Called before every write; returning false makes that write fail (card pulled out, say).
    std::function<bool(int address)> beforeWrite = [](int) { return true; };
    std::function<bool(int address)> beforeRead = [](int) { return true; };
    // How the next code change goes wrong (the card pulled out as it is made): whether it reports
    // a failure, and whether the card's code changed all the same.
    struct CutChange {
        bool reportsFailure;
        bool takes;
    };
    std::optional<CutChange> cutNextChange;
    QList<std::array<quint8, 3>> presented;  // every code presented, in order
    QStringList calls;

    std::uint16_t openPort(int, int baud) override
    {
        calls << QStringLiteral("open %1").arg(baud);
        portOpen = portWorks;
        return portWorks ? 0 : 1;
    }
    std::uint16_t closePort() override
    {
        calls << "close";
        portOpen = false;
        return 0;
    }
    std::uint16_t testDevice() override { return portOpen && deviceAnswers ? 0 : 2; }
    std::uint16_t testCard() override { return portOpen && card ? 0 : 3; }
    std::uint16_t light(int) override { return portOpen ? 0 : 1; }
    std::uint16_t openCard() override
    {
        if (!card)
            return 3;
        card->verified = false;
        return 0;
    }
    bool closeFails = false;
    std::uint16_t closeCard() override { return closeFails ? 1 : 0; }
    std::uint16_t verify(const std::array<quint8, 3>& code) override
    {
        presented << code;
        return card && card->present(code) ? 0 : 12;
    }
    std::uint16_t changePsc(const std::array<quint8, 3>& code) override
    {
        calls << "changePsc";
        if (!card || !card->verified)
            return 12;
        const CutChange how = cutNextChange.value_or(CutChange{false, true});
        cutNextChange.reset();
        if (how.takes)
            card->psc = code;
        return how.reportsFailure ? 3 : 0;
    }
    std::uint16_t errorCounter(quint8& counter) override
    {
        if (!card)
            return 16;
        counter = card->counter;
        return 0;
    }
    std::uint16_t readHex(int address, int length, QString& hex) override
    {
        if (!card || !beforeRead(address))
            return 3;
        hex = QString::fromLatin1(card->memory.mid(address, length).toHex().toUpper());
        return 0;
    }
    std::uint16_t writeHex(int address, int length, const QString& hex) override
    {
        calls << QStringLiteral("write %1").arg(address);
        if (!card || !beforeWrite(address))
            return 3;
        if (card->verified)  // the chip ignores writes until the code is verified
            card->memory.replace(address, length, QByteArray::fromHex(hex.toLatin1()));
        return 0;
    }
};

}  // namespace mctest
