#include "tavrik_card_reader.h"

#include <tavrik.h>

#include <QByteArray>

namespace mc::devices {

std::uint16_t TavrikCardReader::openPort(int port, int baud)
{
    return TK_Com_Open(static_cast<uint8_t>(port), static_cast<uint32_t>(baud));
}

std::uint16_t TavrikCardReader::closePort() { return TK_Com_Close(); }
std::uint16_t TavrikCardReader::testDevice() { return TK_TestDevice(); }
std::uint16_t TavrikCardReader::testCard() { return TK_TestCard(); }
std::uint16_t TavrikCardReader::light(int state) { return TK_Control_light(static_cast<uint8_t>(state)); }
std::uint16_t TavrikCardReader::openCard() { return TK_SLE4442_OpenCard(); }
std::uint16_t TavrikCardReader::closeCard() { return TK_SLE4442_CloseCard(); }

std::uint16_t TavrikCardReader::verify(const std::array<quint8, 3>& psc)
{
    return TK_SLE4442_VerifyPWD(psc[0], psc[1], psc[2]);
}

std::uint16_t TavrikCardReader::changePsc(const std::array<quint8, 3>& psc)
{
    return TK_SLE4442_WritePWD(psc[0], psc[1], psc[2]);
}

std::uint16_t TavrikCardReader::errorCounter(quint8& counter)
{
    char text[3] = {};
    const std::uint16_t status = TK_SLE4442_ReadPAC(text);
    if (status != 0)
        return status;
    bool ok = false;
    counter = static_cast<quint8>(QByteArray(text, 2).toUInt(&ok, 16));
    return ok ? 0 : 16;
}

std::uint16_t TavrikCardReader::readHex(int address, int length, QString& hex)
{
    QByteArray text(2 * length + 1, '\0');
    const std::uint16_t status =
        TK_SLE4442_ReadChar(static_cast<uint16_t>(address), static_cast<uint16_t>(length), text.data());
    hex = status == 0 ? QString::fromLatin1(text.constData(), 2 * length) : QString();
    return status;
}

std::uint16_t TavrikCardReader::writeHex(int address, int length, const QString& hex)
{
    const QByteArray text = hex.toLatin1();
    return TK_SLE4442_WriteChar(static_cast<uint16_t>(address), static_cast<uint16_t>(length), text.constData());
}

CardReader& libraryReader()
{
    static TavrikCardReader reader;
    return reader;
}

}  // namespace mc::devices
