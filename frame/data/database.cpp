#include "database.h"

#include "create.h"

#include <QFileInfo>
#include <QSqlError>

namespace mc::db {

namespace {

QSqlDatabase fresh(const QString& driver, const QString& connectionName)
{
    if (QSqlDatabase::contains(connectionName))
        closeConnection(connectionName);
    return QSqlDatabase::addDatabase(driver, connectionName);
}

void prepareSqlite(QSqlDatabase& db)
{
    // WAL lets readers go on while another workstation writes; foreign keys stay off because
    // the business rules own integrity.
    exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
}

QSqlDatabase openSqliteFile(const QString& connectionName, const QString& file)
{
    QSqlDatabase db = fresh(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(file);
    // A second workstation waits for the lock instead of failing at once.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    if (!db.open())
        throw DbError(db.lastError());
    prepareSqlite(db);
    return db;
}

}  // namespace

QSqlDatabase openSqlite(const QString& connectionName, const QString& file)
{
    if (!QFileInfo(file).isFile())
        throw DbError(QStringLiteral("数据库文件不存在: ") + file, QStringLiteral("0"));
    return openSqliteFile(connectionName, file);
}

QSqlDatabase createSqlite(const QString& connectionName, const QString& file)
{
    if (QFileInfo::exists(file))
        throw DbError(QStringLiteral("数据库文件已存在: ") + file, QStringLiteral("0"));
    return openSqliteFile(connectionName, file);
}

QSqlDatabase openServer(const QString& connectionName, const ServerSettings& s)
{
    QSqlDatabase db = fresh(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(s.host);
    db.setPort(s.port);
    db.setDatabaseName(s.database);
    if (!s.user.isEmpty()) {
        db.setUserName(s.user);
        db.setPassword(s.password);
    }
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (!db.open())
        throw DbError(db.lastError());
    return db;
}

void closeConnection(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

Engine engineOf(const QSqlDatabase& db)
{
    return schema::engineOf(db);
}

QString canonical(const QDateTime& dt)
{
    return dt.toString(QLatin1String(canonicalFormat));
}

QDateTime toDateTime(const QVariant& stored)
{
    if (stored.isNull())
        return {};
    if (stored.metaType().id() == QMetaType::QDateTime)
        return stored.toDateTime();
    if (stored.metaType().id() == QMetaType::QDate)
        return stored.toDate().startOfDay();
    const QString text = stored.toString();
    QDateTime dt = QDateTime::fromString(text, QLatin1String(canonicalFormat));
    if (!dt.isValid())
        dt = QDateTime::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    return dt;
}

namespace {

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& params, bool forwardOnly)
{
    if (!db.isOpen())
        throw DbError(QStringLiteral("数据库连接未打开"), QStringLiteral("0"));
    QSqlQuery q(db);
    q.setForwardOnly(forwardOnly);
    // Statements without values run directly: PostgreSQL cannot prepare DDL or transaction
    // control, and there is nothing to bind.
    if (params.isEmpty()) {
        if (!q.exec(sql))
            throw DbError(q.lastError());
        return q;
    }
    if (!q.prepare(sql))
        throw DbError(q.lastError());
    for (const QVariant& p : params) {
        switch (p.metaType().id()) {
        case QMetaType::QDateTime:
            q.addBindValue(canonical(p.toDateTime()));
            break;
        case QMetaType::QDate:
            q.addBindValue(canonical(p.toDate().startOfDay()));
            break;
        default:
            q.addBindValue(p);
        }
    }
    if (!q.exec())
        throw DbError(q.lastError());
    return q;
}

}  // namespace

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    return run(db, sql, params, true);
}

QSqlQuery browse(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    return run(db, sql, params, false);
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    QSqlQuery q = exec(db, sql, params);
    return q.next() ? q.value(0) : QVariant();
}

QStringList firstColumn(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    QStringList values;
    QSqlQuery q = exec(db, sql, params);
    while (q.next())
        values << q.value(0).toString();
    return values;
}

}  // namespace mc::db
