#include "card_layout.h"

#include "utils/decimaltext.h"
#include "utils/textchecks.h"

#include <QtMath>

namespace mc::devices {

namespace {

// The numeric fields of the layout hold at most ten decimal digits.
bool upToTenDigits(const QString& text)
{
    return !text.isEmpty() && text.size() <= 10 && isdigits(text);
}

}  // namespace

bool isCardNumber(const QString& number)
{
    return number.size() == 10 && isdigits(number);
}

std::optional<QString> icCardNumber(const QString& memberNumber)
{
    if (!upToTenDigits(memberNumber))
        return std::nullopt;
    return memberNumber.rightJustified(10, u'0');
}

std::optional<QString> valueDigits(double value)
{
    if (!qIsFinite(value) || value < 0)
        return std::nullopt;
    // Rounded as the amount is shown, on the decimal typed: 123.455 is 12346 cents.
    bool ok = false;
    const qint64 cents = fixedText(value, 2).remove(u'.').toLongLong(&ok);
    if (!ok || cents > maxValueCents)
        return std::nullopt;
    return QString::number(cents).rightJustified(10, u'0');
}

std::optional<qint64> valueCents(const QString& digits)
{
    if (!upToTenDigits(digits))
        return std::nullopt;
    return digits.toLongLong();
}

QString centsText(qint64 cents)
{
    return fixedText(double(cents) / 100, 2);
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
    if (!upToTenDigits(classCode))
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
