#include "utils/decimaltext.h"

#include <QtMath>

#include <algorithm>

namespace mc {

QString fixedText(double value, int places)
{
    if (!qIsFinite(value))
        return QString::number(value);
    places = qMax(places, 0);
    const bool negative = value < 0;

    // d.dddddddddddddde±x: 15 significant digits and a decimal exponent.
    const QString sci = QString::number(qAbs(value), 'e', 14);
    const qsizetype e = sci.indexOf(u'e');
    const int exponent = sci.mid(e + 1).toInt();
    QString digits = sci.left(1) + sci.mid(2, e - 2);

    // Lay the digits out as integer part and `places` decimals plus one deciding digit.
    const int intDigits = exponent + 1;
    if (intDigits <= 0)
        digits.prepend(QString(-intDigits + 1, u'0'));
    const int pointAt = qMax(intDigits, 1);
    const int keep = pointAt + places;
    if (digits.size() < keep + 1)
        digits.append(QString(keep + 1 - digits.size(), u'0'));

    const bool roundUp = digits.at(keep) >= u'5';
    digits.truncate(keep);
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0 && digits.at(i) == u'9'; --i)
            digits[i] = u'0';
        if (i >= 0)
            digits[i] = QChar(digits.at(i).unicode() + 1);
        else
            digits.prepend(u'1');
    }
    const int intLen = int(digits.size()) - places;
    QString text = digits.left(intLen);
    if (places > 0)
        text += u'.' + digits.mid(intLen);

    const bool zero = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c == u'0'; });
    return negative && !zero ? u'-' + text : text;
}

}  // namespace mc
