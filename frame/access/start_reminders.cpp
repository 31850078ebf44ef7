#include "start_reminders.h"

#include "database.h"
#include "dialect.h"
#include "settings_cache.h"

namespace mc {

namespace {

const QString notCancelled = QStringLiteral(" and membercurlist.cardstatus <> '注销'");
const QString fromMembers = QStringLiteral(
    "select membercurlist.memberno from membercurlist "
    "left join cardclass on membercurlist.cardno = cardclass.cardno where ");

QStringList numbers(QSqlQuery q)
{
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    return found;
}

QString ordered(const QString& condition)
{
    return fromMembers + condition + notCancelled + QStringLiteral(" order by membercurlist.memberno");
}

// Birthdays are compared by month and day, so a window that runs over the turn of the year
// (30 December with 7 days finds 3 January) wraps round instead of ending at 31 December.
QStringList birthdays(const QSqlDatabase& db, const db::Dialect& d, int days, const QDate& today)
{
    const QString md = d.monthDayText(QStringLiteral("membercurlist.birthday"));
    if (days < 0)
        return {};
    if (2 * days + 1 >= 366)
        return numbers(db::exec(db, ordered(QStringLiteral("membercurlist.birthday is not null"))));
    const QDate from = today.addDays(-days);
    const QDate to = today.addDays(days);
    const QString lo = from.toString(QStringLiteral("MM-dd"));
    const QString hi = to.toString(QStringLiteral("MM-dd"));
    const QString condition = from.year() == to.year()
                                  ? QStringLiteral("(%1 >= ? and %1 <= ?)").arg(md)
                                  : QStringLiteral("(%1 >= ? or %1 <= ?)").arg(md);
    return numbers(db::exec(db, ordered(condition), {lo, hi}));
}

}  // namespace

const QList<Reminder>& reminderOrder()
{
    static const QList<Reminder> order = {Reminder::Birthday, Reminder::Expiry, Reminder::LowBalance,
                                          Reminder::BirthdaySms, Reminder::Points};
    return order;
}

bool reminderOn(Reminder r, const SettingsCache& s)
{
    switch (r) {
    case Reminder::Birthday: return s.srtx;
    case Reminder::Expiry: return s.dqtx;
    case Reminder::LowBalance: return s.yetx;
    case Reminder::BirthdaySms: return s.membersrsend;
    case Reminder::Points: return s.usejftx && s.jftx > 0;
    }
    return false;
}

QStringList reminderMembers(const QSqlDatabase& db, Reminder r, const SettingsCache& s, const QDateTime& now)
{
    const db::Dialect d(db::engineOf(db));
    switch (r) {
    case Reminder::Birthday:
        return birthdays(db, d, s.txdays, now.date());
    case Reminder::Expiry:
        // dqdate − now < N days, as dqdate < now + N days.
        return numbers(db::exec(db, ordered(QStringLiteral("membercurlist.lastnfdate <> membercurlist.dqdate "
                                                           "and membercurlist.dqdate < ?")),
                                {now.addDays(s.dqtxday)}));
    case Reminder::LowBalance:
        return numbers(db::exec(db, ordered(QStringLiteral("membercurlist.curmoney <= ? and cardclass.classname = ?")),
                                {s.yetxje, QStringLiteral("储值卡")}));
    case Reminder::BirthdaySms:
        return numbers(db::exec(
            db, ordered(QStringLiteral("%1 = ? and membercurlist.memberno not in (select memberno from smssend "
                                       "where issrdx = true and memberno is not null and %2 = ?)")
                            .arg(d.monthDayText(QStringLiteral("membercurlist.birthday")),
                                 d.dayText(QStringLiteral("pdate")))),
            {now.date().toString(QStringLiteral("MM-dd")), now.date().toString(QStringLiteral("yyyy-MM-dd"))}));
    case Reminder::Points:
        return numbers(db::exec(db, ordered(QStringLiteral("membercurlist.xfjf > ?")), {s.jftx}));
    }
    return {};
}

}  // namespace mc
