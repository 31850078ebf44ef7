#include "utils/password.h"

#include "utils/gbk.h"

#include <algorithm>
#include <array>

namespace mc {

namespace {

// Fixed for ever: every stored password of every workstation depends on these bytes.
constexpr std::array<unsigned char, 6> kKey = {0x5A, 0x3C, 0xA7, 0x19, 0xE2, 0x6B};

// Input byte i is mixed with key byte (i + 1) mod 6; key byte 0 leads the form as its mark.
char mix(char byte, qsizetype i)
{
    return static_cast<char>(static_cast<unsigned char>(byte) ^ kKey[static_cast<size_t>(i + 1) % kKey.size()]);
}

}  // namespace

QByteArray scrambleBytes(const QByteArray& plain)
{
    if (plain.isEmpty())
        return {};
    QByteArray out;
    out.reserve(plain.size() + 1);
    out += static_cast<char>(kKey[0]);
    for (qsizetype i = 0; i < plain.size(); ++i)
        out += mix(plain[i], i);
    return out;
}

bool unscrambleBytes(const QByteArray& scrambled, QByteArray& plain)
{
    plain.clear();
    if (scrambled.isEmpty())
        return true;
    if (static_cast<unsigned char>(scrambled[0]) != kKey[0])
        return false;
    plain.reserve(scrambled.size() - 1);
    for (qsizetype i = 1; i < scrambled.size(); ++i)
        plain += mix(scrambled[i], i - 1);
    return true;
}

QString encodepwd(const QString& text)
{
    return QString::fromLatin1(scrambleBytes(toGbk(text)).toHex().toUpper());
}

QString decodepwd(const QString& stored)
{
    const QByteArray hex = stored.toLatin1();
    const auto hexDigit = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    };
    const bool isHex = stored.size() % 2 == 0 && std::all_of(stored.cbegin(), stored.cend(), hexDigit);
    QByteArray plain;
    if (!isHex || !unscrambleBytes(QByteArray::fromHex(hex), plain))
        return {};
    return fromGbk(plain);
}

}  // namespace mc
