#pragma once
// The one data layer: opening connections and running statements with bound parameters.

#include "db_error.h"
#include "engine.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace mc::db {

using schema::Engine;

// Connection names: the catalogue and the current account set.
inline const QString catalogueConnection = QStringLiteral("adoconnect");
inline const QString accountConnection = QStringLiteral("adocnn");

struct ServerSettings {
    QString host;
    int port = 5432;
    QString database;
    QString user;      // empty: the operating-system login applies
    QString password;
};

// Opens (or reopens) a named connection on an existing SQLite file. A missing file is an
// error: it is never created empty.
QSqlDatabase openSqlite(const QString& connectionName, const QString& file);
// Creates a new SQLite file; fails when it exists already.
QSqlDatabase createSqlite(const QString& connectionName, const QString& file);
QSqlDatabase openServer(const QString& connectionName, const ServerSettings& settings);
void closeConnection(const QString& connectionName);

Engine engineOf(const QSqlDatabase& db);

// Date-times are bound and stored in one canonical form in both engines.
inline constexpr const char* canonicalFormat = "yyyy-MM-dd hh:mm:ss";
QString canonical(const QDateTime& dt);
QDateTime toDateTime(const QVariant& stored);

// Runs one statement with positional parameters ("?"); throws DbError on failure.
// QDateTime and QDate values are bound in the canonical form.
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// The same for a grid: a query that a QSqlQueryModel can scroll back and forth.
QSqlQuery browse(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// First column of the first row, or an invalid value when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// The first column of every row, as text: the items of a drop-down, say.
QStringList firstColumn(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});

}  // namespace mc::db
