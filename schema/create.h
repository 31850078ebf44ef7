#pragma once
// Creates the described tables in an open database.

#include "engine.h"
#include "table.h"

#include <QSqlDatabase>
#include <QString>

namespace schema {

Engine engineOf(const QSqlDatabase& db);

// Runs every CREATE statement; returns an empty text on success, else the database's error.
QString createTables(QSqlDatabase& db, const std::vector<Table>& tables);

}  // namespace schema
