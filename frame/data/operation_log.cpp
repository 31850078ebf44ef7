#include "services.h"

#include "database.h"
#include "transaction.h"

namespace mc {

void czgc(const QString& text)
{
    czgc(QSqlDatabase::database(db::accountConnection, false), text);
}

void czgc(const QSqlDatabase& db, const QString& text)
{
    czgc(db, Session::current(), text);
}

void czgc(const QSqlDatabase& db, const Session& session, const QString& text)
{
    try {
        db::Transaction t(db);
        db::exec(db, QStringLiteral("insert into czrz(pdate, czyno, czy, czip, cznr) values(?, ?, ?, ?, ?)"),
                 {session.now, session.operatorCode, session.operatorName, session.address, text});
        t.commit();
    } catch (const db::DbError&) {
        // The log must never stop the operation it records.
    }
}

}  // namespace mc
