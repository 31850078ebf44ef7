// Document numbers with 100,000 numbers already registered.

#include "bench.h"
#include "database.h"
#include "scratch_database.h"
#include "services.h"
#include "transaction.h"

#include <QDate>

namespace bench {

namespace {

// Registers `total` numbers spread over `days` days before `today`, plus `onToday` of today.
void fill(const QSqlDatabase& db, const QDate& today, int total, int days, int onToday)
{
    mc::db::Transaction t(db);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into ysydjno(djcode, djclass) values(?, '消费单')"));
    const int perDay = (total - onToday) / days;
    auto add = [&](const QDate& day, int n) {
        for (int i = 1; i <= n; ++i) {
            insert.addBindValue(QStringLiteral("xfd") + day.toString(QStringLiteral("yyMMdd")) +
                                QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
            insert.exec();
        }
    };
    for (int d = 1; d <= days; ++d)
        add(today.addDays(-d), perDay);
    add(today, onToday);
    t.commit();
}

void run(mctest::Engine engine, const QString& engineName)
{
    const QDate today = QDate::currentDate();
    {
        mctest::ScratchDatabase set(engine);
        fill(set.db(), today, 100000, 200, 300);
        measure(engineName + " createdh, 100000 registered over 200 days", 1000,
                [&] { mc::createdh(set.db(), QStringLiteral("xfd"), today); });
    }
    {
        mctest::ScratchDatabase set(engine);
        fill(set.db(), today, 100000, 1, 99000);
        measure(engineName + " createdh, 99000 of them on the same day", 200,
                [&] { mc::createdh(set.db(), QStringLiteral("xfd"), today); });
    }
}

}  // namespace

void createdhBenchmarks()
{
    run(mctest::Engine::Sqlite, QStringLiteral("SQLite"));
    if (mctest::testServer())
        run(mctest::Engine::Postgres, QStringLiteral("PostgreSQL"));
}

}  // namespace bench
