#pragma once
// Date arithmetic by calendar unit.

#include <QDateTime>
#include <QString>

namespace mc {

// Adds `amount` units to `when`. Units, any letter case: "D" days, "H" hours, "F" minutes,
// "S" seconds, "M" months, "Y" years; any other unit returns `when` unchanged.
// Months keep month ends: a last day of its month gives the last day of the target month, any
// other day is kept but clamped to the target month's length. Years clamp 29 February to 28.
// The time of day is kept.
QDateTime incdate(const QString& unit, int amount, const QDateTime& when);

}  // namespace mc
