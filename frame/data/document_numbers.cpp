#include "services.h"

#include "database.h"
#include "transaction.h"

namespace mc {

namespace {

// Highest sequence already issued for the day key, by numeric value: from the 1000th number
// on, text order alone would no longer put the highest last. The expression index on ysydjno
// answers this without scanning the day's numbers; every prefix has three characters.
int highestSequence(const QSqlDatabase& db, const QString& dayKey)
{
    QSqlQuery q = db::exec(db,
                           QStringLiteral("select djcode from ysydjno where substr(djcode, 1, 9) = ? "
                                          "order by length(djcode) desc, djcode desc limit 1"),
                           {dayKey});
    return q.next() ? q.value(0).toString().mid(dayKey.size()).toInt() : 0;
}

}  // namespace

QString createdh(const QString& prefix)
{
    return createdh(QSqlDatabase::database(db::accountConnection, false), prefix,
                    QDate::currentDate());
}

QString createdh(const QSqlDatabase& db, const QString& prefix, const QDate& today)
{
    if (prefix.size() != 3)
        throw db::DbError(QStringLiteral("单据前缀必须是三个字符: ") + prefix, QStringLiteral("0"));
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
