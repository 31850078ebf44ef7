#include "utils/money.h"

#include "utils/decimaltext.h"

#include <QtMath>

namespace mc {

namespace {

// Divides by a power of ten, halves away from zero.
qint64 divideRounded(qint64 value, qint64 divisor)
{
    const qint64 half = divisor / 2;
    return value >= 0 ? (value + half) / divisor : -((-value + half) / divisor);
}

qint64 powerOfTen(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

}  // namespace

Money Money::fromDouble(double yuan)
{
    if (!qIsFinite(yuan))
        return {};
    // The text at 15 significant digits recovers the decimal the value was written as.
    const QString text = fixedText(yuan, 4);
    return parse(text).value_or(Money());
}

std::optional<Money> Money::parse(const QString& input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (text.at(0) == u'-' || text.at(0) == u'+') {
        negative = text.at(0) == u'-';
        ++i;
    }
    qint64 whole = 0;
    qint64 fraction = 0;
    int wholeDigits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
        const int digit = c.unicode() - '0';
        if (point) {
            if (++fractionDigits > 4)
                return std::nullopt;
            fraction = fraction * 10 + digit;
        } else {
            if (++wholeDigits > 14)  // beyond any amount a shop keeps; keeps the units in range
                return std::nullopt;
            whole = whole * 10 + digit;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    const qint64 units = whole * unitsPerYuan + fraction * powerOfTen(4 - fractionDigits);
    return Money(negative ? -units : units);
}

Money Money::rounded(int places, double yuan)
{
    return fromDouble(yuan).rounded(places);
}

Money Money::rounded(int places) const
{
    if (places < 0 || units_ == 0)
        return {};
    // First to three decimals, then by the first dropped digit of those three.
    const qint64 thousandths = divideRounded(units_, 10);
    if (places >= 3)
        return Money(thousandths * 10);
    const qint64 step = powerOfTen(3 - places);
    return Money(divideRounded(thousandths, step) * step * 10);
}

QString Money::text(int places) const
{
    places = qBound(0, places, 4);
    const qint64 step = powerOfTen(4 - places);
    const qint64 scaled = divideRounded(units_, step);
    const qint64 magnitude = scaled < 0 ? -scaled : scaled;
    const qint64 unit = powerOfTen(places);
    QString out = QString::number(magnitude / unit);
    if (places > 0)
        out += u'.' + QString::number(magnitude % unit).rightJustified(places, u'0');
    return scaled < 0 ? u'-' + out : out;
}

}  // namespace mc
