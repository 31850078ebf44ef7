#pragma once
// The data-module services every window calls: the operation log, document numbers and
// database compaction.

#include "session.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace mc {

// Appends one row to the operation log `czrz`. Never fails and never interrupts the caller;
// inside a caller's transaction it runs under a savepoint, so a failed write leaves the
// caller's work intact. Services pass their session; the shorter forms, for windows, log as the
// logged-in operator at the current time.
void czgc(const QSqlDatabase& db, const Session& session, const QString& text);
void czgc(const QString& text);
void czgc(const QSqlDatabase& db, const QString& text);

// A new document number: prefix + "yyMMdd" + a sequence of at least three digits, registered in
// `ysydjno`. Numbers of one prefix and day increase by one; two workstations never get the
// same number. Throws db::DbError when the database fails.
QString createdh(const QString& prefix);
QString createdh(const QSqlDatabase& db, const QString& prefix, const QDate& today);

// Compacts the SQLite database `sourceFile` into the new file `targetFile`.
bool compactdb(const QString& sourceFile, const QString& targetFile);

}  // namespace mc
