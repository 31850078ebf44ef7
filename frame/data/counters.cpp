#include "counters.h"

#include "database.h"
#include "transaction.h"

#include <cmath>

#include <QRegularExpression>

namespace mc::db {

namespace {

const QString& checkedName(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(name).hasMatch())
        throw DbError(QStringLiteral("非法的字段名: ") + name, QStringLiteral("0"));
    return name;
}

}  // namespace

double addTo(const QSqlDatabase& db, const QString& table, const QString& column, double delta,
             const QString& keyColumn, const QVariant& key)
{
    const QString t = checkedName(table), c = checkedName(column), k = checkedName(keyColumn);
    QSqlQuery update = exec(db, QStringLiteral("update %1 set %2 = coalesce(%2, 0) + ? where %3 = ?")
                                    .arg(t, c, k),
                            {delta, key});
    if (update.numRowsAffected() != 1)
        throw DbError(QStringLiteral("%1 中没有 %2 = %3 的记录").arg(t, k, key.toString()),
                      QStringLiteral("0"));
    // Our own update holds the row lock until commit, so this reads our result.
    return scalar(db, QStringLiteral("select %1 from %2 where %3 = ?").arg(c, t, k), {key}).toDouble();
}

Money addTo(const QSqlDatabase& db, const QString& table, const QString& column, Money delta,
            const QString& keyColumn, const QVariant& key)
{
    const double sum = addTo(db, table, column, delta.toDouble(), keyColumn, key);
    const Money amount = Money::fromDouble(sum);
    // The row is ours until commit, so putting the exact decimal back loses no other change.
    if (amount.toDouble() != sum)
        exec(db, QStringLiteral("update %1 set %2 = ? where %3 = ?").arg(table, column, keyColumn),
             {amount.toDouble(), key});
    return amount;
}

Money appendLedgerRow(const QSqlDatabase& db, const LedgerEntry& e)
{
    const Money balance =
        addTo(db, QStringLiteral("gszh"), QStringLiteral("curye"), e.received - e.paidOut,
              QStringLiteral("zhname"), e.account);
    exec(db,
         QStringLiteral("insert into actormoney(actorid, actorname, memberno, pdate, zhname, sfkxm, "
                        "skje, ysje, crje, zlje, zcje, zhye, isjz, fdh, scip, issc) "
                        "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {e.actorId, e.actorName, e.memberNo, e.when, e.account, e.item, e.received.toDouble(), e.due.toDouble(),
          // Halves of a yuan are exact doubles, and the default rounding mode sends them to the
          // even neighbour: 12.5 → 12, 13.5 → 14.
          static_cast<int>(std::nearbyint(e.credited.toDouble())), e.change.toDouble(), e.paidOut.toDouble(), balance.toDouble(), false,
          QString(), QString(), false});
    return balance;
}

bool openShiftIfNone(const QSqlDatabase& db, const QString& actorId, const QString& actorName,
                     const QDateTime& when)
{
    Transaction t(db);
    if (scalar(db, QStringLiteral("select count(*) from actorjs where isjs = false")).toInt() > 0)
        return false;
    try {
        exec(db, QStringLiteral("insert into actorjs(actorid, actorname, loadtime, jsdate, isjs) "
                                "values(?, ?, ?, ?, false)"),
             {actorId, actorName, when, when});
    } catch (const DbError& e) {
        // The partial unique index on open shifts: another workstation was quicker.
        if (e.isUniqueViolation())
            return false;
        throw;
    }
    t.commit();
    return true;
}

}  // namespace mc::db
