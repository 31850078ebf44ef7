#include "sqlite_file.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace mc::db {

namespace {

// A raw SQLite handle closed on every path.
class Handle {
public:
    Handle(const QString& file, int flags)
    {
        rc_ = sqlite3_open_v2(file.toUtf8().constData(), &db_, flags, nullptr);
        if (rc_ == SQLITE_OK)
            sqlite3_busy_timeout(db_, 15000);
    }
    ~Handle() { sqlite3_close(db_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool ok() const { return rc_ == SQLITE_OK; }
    sqlite3* get() const { return db_; }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

private:
    sqlite3* db_ = nullptr;
    int rc_ = SQLITE_OK;
};

QString run(const Handle& h, const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(h.get(), sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    QString text = QString::fromUtf8(message ? message : "sqlite error");
    sqlite3_free(message);
    return text;
}

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(u'\'', QStringLiteral("''"));
    return u'\'' + out + u'\'';
}

}  // namespace

QString backupSqliteFile(const QString& source, const QString& target,
                         const std::function<void(int)>& progress)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("数据库文件不存在: ") + source;
    if (QFileInfo::exists(target))
        return QStringLiteral("备份文件已存在: ") + target;
    Handle from(source, SQLITE_OPEN_READONLY);
    if (!from.ok())
        return from.error();
    Handle to(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!to.ok())
        return to.error();

    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup)
        return to.error();
    if (progress)
        progress(0);
    int rc;
    // Small steps keep the gauge moving; a writer in between restarts the copy, so the result
    // is always one consistent state.
    while ((rc = sqlite3_backup_step(backup, 256)) == SQLITE_OK || rc == SQLITE_BUSY ||
           rc == SQLITE_LOCKED) {
        if (rc != SQLITE_OK)
            sqlite3_sleep(20);
        const int total = sqlite3_backup_pagecount(backup);
        if (progress && total > 0)
            progress(100 * (total - sqlite3_backup_remaining(backup)) / total);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errstr(rc));
    if (progress)
        progress(100);
    return {};
}

QString replaceWithSqliteBackup(const QString& source, const QString& target,
                                const std::function<void(int)>& progress)
{
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QString error = backupSqliteFile(source, partial, progress);
    if (error.isEmpty()) {
        QFile::remove(target);
        if (!QFile::rename(partial, target))
            error = QStringLiteral("无法写入备份文件: ") + target;
    }
    if (!error.isEmpty())
        QFile::remove(partial);
    return error;
}

QString compactSqliteInto(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("数据库文件不存在: ") + source;
    Handle h(source, SQLITE_OPEN_READWRITE);
    if (!h.ok())
        return h.error();
    return run(h, QStringLiteral("VACUUM INTO ") + quoted(target));
}

QString compactSqliteInPlace(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return QStringLiteral("数据库文件不存在: ") + file;
    Handle h(file, SQLITE_OPEN_READWRITE);
    if (!h.ok())
        return h.error();
    return run(h, QStringLiteral("VACUUM"));
}

}  // namespace mc::db
