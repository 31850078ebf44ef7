#include "utils/rounding.h"

#include "utils/decimaltext.h"

#include <QString>
#include <QtMath>

namespace mc {

double roundto(int places, double value)
{
    if (value == 0 || places < 0)
        return 0;
    if (!qIsFinite(value))
        return value;
    const double sign = value < 0 ? -1 : 1;
    const QString three = fixedText(qAbs(value), 3);
    if (places >= 3)
        return sign * three.toDouble();

    // Digit `places` + 1 after the point decides; the text always has three decimals.
    const qsizetype point = three.indexOf(u'.');
    const QString kept = three.left(point + (places > 0 ? places + 1 : 0));
    double result = kept.toDouble();
    if (three.at(point + places + 1) >= u'5')
        result = fixedText(result + qPow(10.0, -places), places).toDouble();
    return sign * result;
}

}  // namespace mc
