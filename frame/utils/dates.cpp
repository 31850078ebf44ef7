#include "utils/dates.h"

namespace mc {

namespace {

QDate addMonths(QDate date, int amount)
{
    const bool monthEnd = date.day() == date.daysInMonth();
    // Count months from year 0 so negative amounts borrow years like ordinary subtraction.
    const long long index = static_cast<long long>(date.year()) * 12 + (date.month() - 1) + amount;
    const long long year = index >= 0 ? index / 12 : -((-index + 11) / 12);
    const int month = static_cast<int>(index - year * 12) + 1;
    const QDate first(static_cast<int>(year), month, 1);
    const int day = monthEnd ? first.daysInMonth() : qMin(date.day(), first.daysInMonth());
    return QDate(static_cast<int>(year), month, day);
}

QDate addYears(QDate date, int amount)
{
    const int year = date.year() + amount;
    const QDate first(year, date.month(), 1);
    return QDate(year, date.month(), qMin(date.day(), first.daysInMonth()));
}

// Dates here are wall-clock values: an hour added across a clock change is still one hour on the
// clock, as the windows show it.
QDateTime withDateTime(const QDateTime& when, QDate date, QTime time)
{
    QDateTime result = when;
    result.setDate(date);
    result.setTime(time);
    return result;
}

QDateTime addWallSeconds(const QDateTime& when, qint64 seconds)
{
    const QDateTime wall = QDateTime(when.date(), when.time(), Qt::UTC).addSecs(seconds);
    return withDateTime(when, wall.date(), wall.time());
}

}  // namespace

QDateTime incdate(const QString& unit, int amount, const QDateTime& when)
{
    const QString u = unit.toUpper();
    if (u == u"D")
        return withDateTime(when, when.date().addDays(amount), when.time());
    if (u == u"H")
        return addWallSeconds(when, qint64(amount) * 3600);
    if (u == u"F")
        return addWallSeconds(when, qint64(amount) * 60);
    if (u == u"S")
        return addWallSeconds(when, amount);
    if (u == u"M")
        return withDateTime(when, addMonths(when.date(), amount), when.time());
    if (u == u"Y")
        return withDateTime(when, addYears(when.date(), amount), when.time());
    return when;
}

}  // namespace mc
