#include "create.h"

#include "ddl.h"

#include <QSqlError>
#include <QSqlQuery>

namespace schema {

Engine engineOf(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL") ? Engine::Postgres : Engine::Sqlite;
}

QString createTables(QSqlDatabase& db, const std::vector<Table>& tables)
{
    for (const auto& statement : createStatements(tables, engineOf(db))) {
        QSqlQuery q(db);
        if (!q.exec(QString::fromStdString(statement)))
            return q.lastError().text() + QStringLiteral(" — ") + QString::fromStdString(statement);
    }
    return {};
}

}  // namespace schema
