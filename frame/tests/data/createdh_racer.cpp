// Issues document numbers from a process of its own and prints them, one per line.
//   createdh_racer sqlite:<file>|pg:<database> <count> <yyyy-MM-dd>
// The PostgreSQL server comes from MEMBERCARD_TEST_PG.

#include "database.h"
#include "scratch_database.h"
#include "services.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString target = args[1];
    const int count = args[2].toInt();
    const QDate day = QDate::fromString(args[3], Qt::ISODate);
    try {
        QSqlDatabase db;
        if (target.startsWith(QLatin1String("sqlite:"))) {
            db = mc::db::openSqlite("racer", target.mid(7));
        } else {
            mc::db::ServerSettings s = mctest::testServer().value();
            s.database = target.mid(3);
            db = mc::db::openServer("racer", s);
        }
        for (int i = 0; i < count; ++i)
            std::printf("%s\n", qPrintable(mc::createdh(db, "xfd", day)));
    } catch (const mc::db::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
