#include "utils/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace mc {

QByteArray toGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString fromGbk(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

QByteArray charToGbk(QStringView character)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(character);
    // The encoder writes "?" for what it cannot hold; a real "?" is one byte from a one-unit text.
    if (bytes == "?" && character != u"?")
        return {};
    return bytes;
}

}  // namespace mc
