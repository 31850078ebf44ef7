#include "services.h"

#include "database.h"
#include "transaction.h"

namespace mc {

namespace {

// Highest sequence already issued for the day key, by numeric value: from the 1000th number
// on, text order would no longer put the highest last.
int highestSequence(const QSqlDatabase& db, const QString& dayKey)
{
    // Codes are compared bytewise in both engines, so [dayKey, dayKey + ":") holds exactly the
    // codes of the day followed by digits, and the unique index on djcode serves the range.
    const QVariant v = db::scalar(
        db,
        QStringLiteral("select max(cast(substr(djcode, %1) as integer)) from ysydjno "
                       "where djcode >= ? and djcode < ?")
            .arg(dayKey.size() + 1),
        {dayKey, dayKey + u':'});
    return v.isNull() ? 0 : v.toInt();
}

}  // namespace

QString createdh(const QString& prefix)
{
    return createdh(QSqlDatabase::database(db::accountConnection, false), prefix,
                    QDate::currentDate());
}

QString createdh(const QSqlDatabase& db, const QString& prefix, const QDate& today)
{
    const QString dayKey = prefix + today.toString(QStringLiteral("yyMMdd"));
    // Another workstation may take the same number between our read and our insert; the
    // unique index refuses the second insert and we read again.
    constexpr int attempts = 50;
    for (int attempt = 1;; ++attempt) {
        const QString number =
            dayKey + QStringLiteral("%1").arg(highestSequence(db, dayKey) + 1, 3, 10, QLatin1Char('0'));
        try {
            db::Transaction t(db);
            db::exec(db, QStringLiteral("insert into ysydjno(djcode, djclass) values(?, ?)"),
                     {number, QStringLiteral("消费单")});
            t.commit();
            return number;
        } catch (const db::DbError& e) {
            if (!e.isUniqueViolation() || attempt == attempts)
                throw;
        }
    }
}

}  // namespace mc
