#pragma once
// Display formats of report texts: numbers ("0.00", "0", "#,##0.00") and dates
// ("yyyy-mm-dd", "yyyy-mm-dd hh:nn", "hh:nn:ss"; "mm" after an hour stands for minutes too).

#include <QString>
#include <QVariant>

namespace mc::reports {

// An empty format gives the plain text of the value; a null value always gives "".
// A value the format does not fit (text under a number format) keeps its plain text.
QString formatValue(const QVariant& value, const QString& format);

// Rounds halves away from zero as the decimal text reads (2.675 → "2.68"), which binary
// rounding alone gets wrong for many money amounts.
QString formatNumber(double value, const QString& format);

}  // namespace mc::reports
