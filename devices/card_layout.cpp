#include "card_layout.h"

#include <QtMath>

#include <cmath>

namespace mc::devices {

namespace {

bool allDigits(const QString& text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}

}  // namespace

bool isCardNumber(const QString& number)
{
    return number.size() == 10 && allDigits(number);
}

std::optional<QString> icCardNumber(const QString& memberNumber)
{
    if (!allDigits(memberNumber) || memberNumber.size() > 10)
        return std::nullopt;
    return memberNumber.rightJustified(10, u'0');
}

std::optional<QString> valueDigits(double value)
{
    if (!qIsFinite(value) || value < 0)
        return std::nullopt;
    // 15 significant digits first, so 123.455 typed is 12346 cents although the double lies below.
    const double cents = std::floor(QString::number(value * 100, 'g', 15).toDouble() + 0.5);
    if (cents > double(maxValueCents))
        return std::nullopt;
    return QString::number(qint64(cents)).rightJustified(10, u'0');
}

std::optional<qint64> valueCents(const QString& digits)
{
    if (!allDigits(digits) || digits.size() > 10)
        return std::nullopt;
    return digits.toLongLong();
}

QString centsText(qint64 cents)
{
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    const qint64 a = qAbs(cents);
    return sign + QString::number(a / 100) + u'.' + QString::number(a % 100).rightJustified(2, u'0');
}

QString kindHex(const QString& kindText)
{
    if (kindText == QStringLiteral("计次卡"))
        return QStringLiteral("01");
    if (kindText == QStringLiteral("折扣卡"))
        return QStringLiteral("02");
    return QStringLiteral("03");
}

std::optional<QString> classCodeHex(const QString& classCode)
{
    if (!allDigits(classCode) || classCode.size() > 10)
        return std::nullopt;
    return classCode.rightJustified(10, u'0');
}

QString expiryHex(const QString& expiryText)
{
    QByteArray bytes = expiryText.toLatin1().left(expiryBytes);
    bytes.append(QByteArray(expiryBytes - bytes.size(), '\0'));
    return QString::fromLatin1(bytes.toHex().toUpper());
}

}  // namespace mc::devices
