#include "exit_backup.h"

#include "sqlite_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mc {

namespace {

constexpr int slotCount = 31;

QString withSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

}  // namespace

QString backupFolder(const ExitBackupRequest& r)
{
    if (!r.backupPath.isEmpty() && QFileInfo(r.backupPath).isDir())
        return withSlash(QDir::cleanPath(r.backupPath));
    const QString folder = withSlash(r.appPath) + r.accountSet + QStringLiteral("bp/");
    QDir().mkpath(folder);
    return folder;
}

std::optional<QString> backupTarget(const QString& folder)
{
    const QDir dir(folder);
    for (int i = 0; i < slotCount; ++i) {
        const QString slot = dir.filePath(QStringLiteral("%1.bp").arg(i));
        if (!QFileInfo::exists(slot))
            return slot;
    }
    // Every slot is taken: overwrite the oldest backup that is an ordinary file not marked
    // read-only (by its permission bits, which also hold for root).
    std::optional<QFileInfo> oldest;
    const auto entries = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& f : entries) {
        if (f.suffix().toUpper() != QLatin1String("BP") || !f.permission(QFile::WriteOwner) || f.isSymLink())
            continue;
        if (!oldest || f.lastModified() < oldest->lastModified())
            oldest = f;
    }
    if (!oldest)
        return std::nullopt;
    return oldest->absoluteFilePath();
}

ExitBackupResult runExitBackup(const ExitBackupRequest& r, const ExitBackupProgress& progress)
{
    auto say = [&](const QString& text) { if (progress.label) progress.label(text); };
    ExitBackupResult result;
    if (r.serverSet) {
        result.message = QStringLiteral("服务器帐套由数据库服务器备份，不做文件备份和压缩");
        return result;
    }

    const auto target = backupTarget(backupFolder(r));
    if (!target) {
        result.message = QStringLiteral("备份文件夹中31个备份文件都不能覆盖，本次未备份");
        return result;
    }
    result.target = *target;
    say(QStringLiteral("正在备份文件到") + *target);

    // A failed copy never destroys the old backup in the slot.
    QString error = db::replaceWithSqliteBackup(r.dbFile, *target, progress.percent);
    if (!error.isEmpty()) {
        result.message = QStringLiteral("备份失败: ") + error;
        return result;  // no compaction without a good backup
    }
    result.backedUp = true;

    say(QStringLiteral("正在压缩数据库,请稍候...."));
    error = db::compactSqliteInPlace(r.dbFile);
    result.compacted = error.isEmpty();
    if (!result.compacted)
        result.message = QStringLiteral("压缩数据库失败: ") + error;
    return result;
}

}  // namespace mc
