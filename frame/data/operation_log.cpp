#include "services.h"

#include "database.h"
#include "globals.h"
#include "transaction.h"

#include <QDateTime>

namespace mc {

void czgc(const QString& text)
{
    czgc(QSqlDatabase::database(db::accountConnection, false), text);
}

void czgc(const QSqlDatabase& db, const QString& text)
{
    try {
        db::Transaction t(db);
        db::exec(db, QStringLiteral("insert into czrz(pdate, czyno, czy, czip, cznr) values(?, ?, ?, ?, ?)"),
                 {QDateTime::currentDateTime(), operatorCode, operatorName, operatorIp, text});
        t.commit();
    } catch (const db::DbError&) {
        // The log must never stop the operation it records.
    }
}

}  // namespace mc
