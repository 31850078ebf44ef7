// The exit backup: which slot it writes, that the copy is complete, and when it refuses.

#include "database.h"
#include "exit_backup.h"
#include "qt_print.h"
#include "scratch_database.h"
#include "services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utime.h>

using mc::backupTarget;

namespace {

void touch(const QString& file, qint64 secondsAgo)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    const time_t when = time(nullptr) - secondsAgo;
    utimbuf times{when, when};
    ::utime(QFile::encodeName(file).constData(), &times);
}

void fillSlots(const QString& folder, int count)
{
    for (int i = 0; i < count; ++i)
        touch(QDir(folder).filePath(QStringLiteral("%1.bp").arg(i)), 1000 + i);  // higher = older
}

}  // namespace

TEST(ExitBackup, TakesTheFirstFreeSlot)
{
    QTemporaryDir dir;
    EXPECT_EQ(backupTarget(dir.path()), dir.filePath("0.bp"));
    fillSlots(dir.path(), 5);
    QFile::remove(dir.filePath("2.bp"));
    EXPECT_EQ(backupTarget(dir.path()), dir.filePath("2.bp"));
}

TEST(ExitBackup, WithAllSlotsTakenOverwritesTheOldestWritableBackup)
{
    QTemporaryDir dir;
    fillSlots(dir.path(), 31);  // 30.bp is the oldest
    EXPECT_EQ(backupTarget(dir.path()), dir.filePath("30.bp"));

    // An older file in upper case counts too; a read-only one never does.
    touch(dir.filePath("X.BP"), 99999);
    EXPECT_EQ(backupTarget(dir.path()), dir.filePath("X.BP"));
    QFile::setPermissions(dir.filePath("X.BP"), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_EQ(backupTarget(dir.path()), dir.filePath("30.bp"));
    // Other extensions are never touched, however old.
    touch(dir.filePath("notes.txt"), 999999);
    EXPECT_EQ(backupTarget(dir.path()), dir.filePath("30.bp"));
}

TEST(ExitBackup, WhenNoBackupMayBeOverwrittenNothingIsWritten)
{
    QTemporaryDir dir;
    fillSlots(dir.path(), 31);
    for (int i = 0; i < 31; ++i)
        QFile::setPermissions(dir.filePath(QStringLiteral("%1.bp").arg(i)), QFile::ReadOwner);
    EXPECT_FALSE(backupTarget(dir.path()).has_value());
}

TEST(ExitBackup, BackupFolderFollowsTheSettingOrTheAccountSet)
{
    QTemporaryDir dir;
    mc::ExitBackupRequest r;
    r.appPath = dir.path() + "/";
    r.accountSet = "shop";
    EXPECT_EQ(mc::backupFolder(r), dir.path() + "/shopbp/");
    EXPECT_TRUE(QFileInfo(dir.path() + "/shopbp").isDir());
    r.backupPath = dir.path() + "/missing";
    EXPECT_EQ(mc::backupFolder(r), dir.path() + "/shopbp/");
    QDir(dir.path()).mkdir("elsewhere");
    r.backupPath = dir.path() + "/elsewhere";
    EXPECT_EQ(mc::backupFolder(r), dir.path() + "/elsewhere/");
}

TEST(ExitBackup, CopyHoldsExactlyTheCommittedWorkThenCompacts)
{
    mctest::ScratchDatabase set(mctest::Engine::Sqlite);
    using mc::db::exec;
    exec(set.db(), "insert into gszh(zhname, curye) values(?, ?)", {"committed", 1.0});
    // A second workstation with committed work still in the write-ahead log and work open.
    QSqlDatabase other = set.connect("other");
    exec(other, "insert into gszh(zhname, curye) values(?, ?)", {"in wal", 2.0});
    exec(other, "begin immediate");
    exec(other, "insert into gszh(zhname, curye) values(?, ?)", {"uncommitted", 3.0});
    ASSERT_TRUE(QFileInfo(set.sqliteFile() + "-wal").size() > 0);

    mc::ExitBackupRequest r;
    r.dbFile = set.sqliteFile();
    r.appPath = set.folder() + "/";
    r.accountSet = "set";
    QStringList labels;
    int lastPercent = -1;
    // Compaction must wait for the open transaction, so end it from the label callback, which
    // runs before compaction starts.
    mc::ExitBackupProgress progress{[&](const QString& l) {
                                        labels << l;
                                        if (l.startsWith(QStringLiteral("正在压缩")))
                                            exec(other, "rollback");
                                    },
                                    [&](int p) { lastPercent = p; }};
    const mc::ExitBackupResult result = mc::runExitBackup(r, progress);
    EXPECT_TRUE(result.backedUp) << result.message.toStdString();
    EXPECT_TRUE(result.compacted) << result.message.toStdString();
    EXPECT_EQ(result.target, set.folder() + "/setbp/0.bp");
    EXPECT_EQ(lastPercent, 100);
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0], QStringLiteral("正在备份文件到") + result.target);
    EXPECT_EQ(labels[1], QStringLiteral("正在压缩数据库,请稍候...."));

    {
        QSqlDatabase copy = mc::db::openSqlite("copy", result.target);
        QStringList names;
        QSqlQuery q = exec(copy, "select zhname from gszh order by zhname");
        while (q.next())
            names << q.value(0).toString();
        EXPECT_EQ(names, QStringList({"committed", "in wal"}));
    }
    mc::db::closeConnection("copy");
    other = QSqlDatabase();
    mc::db::closeConnection("other");
    // The database itself is intact after compaction.
    EXPECT_EQ(mc::db::scalar(set.db(), "select count(*) from gszh").toInt(), 2);
}

TEST(ExitBackup, AFailedCopyKeepsTheOldBackupAndSkipsCompaction)
{
    QTemporaryDir dir;
    fillSlots(dir.path() + "/", 0);
    mc::ExitBackupRequest r;
    r.dbFile = dir.filePath("missing.mdb");
    r.appPath = dir.path() + "/";
    r.accountSet = "set";
    QDir(dir.path()).mkdir("setbp");
    fillSlots(dir.path() + "/setbp", 31);
    const mc::ExitBackupResult result = mc::runExitBackup(r);
    EXPECT_FALSE(result.backedUp);
    EXPECT_FALSE(result.compacted);
    EXPECT_FALSE(result.message.isEmpty());
    // The slot chosen still holds the previous backup.
    QFile old(dir.filePath("setbp/30.bp"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

TEST(ExitBackup, AServerAccountSetIsNotCopiedFromSomeFile)
{
    QTemporaryDir dir;
    mc::ExitBackupRequest r;
    r.dbFile = dir.filePath("earlier/earlier.mdb");  // left over from a file set used before
    r.appPath = dir.path() + "/";
    r.accountSet = "server";
    r.serverSet = true;
    const mc::ExitBackupResult result = mc::runExitBackup(r);
    EXPECT_FALSE(result.backedUp);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("serverbp")));
}

TEST(Compactdb, WritesACompactedCopyAndNeverOverwrites)
{
    mctest::ScratchDatabase set(mctest::Engine::Sqlite);
    using mc::db::exec;
    for (int i = 0; i < 200; ++i)
        exec(set.db(), "insert into czrz(cznr) values(?)", {QString(200, u'x')});
    exec(set.db(), "delete from czrz where pid > 10");
    const QString target = set.folder() + "/compact.mdb";
    ASSERT_TRUE(mc::compactdb(set.sqliteFile(), target));
    EXPECT_LT(QFileInfo(target).size(), QFileInfo(set.sqliteFile()).size() + QFileInfo(set.sqliteFile() + "-wal").size());
    {
        QSqlDatabase copy = mc::db::openSqlite("compact", target);
        EXPECT_EQ(mc::db::scalar(copy, "select count(*) from czrz").toInt(), 10);
    }
    mc::db::closeConnection("compact");
    // An existing target is not replaced, and a missing source is a failure.
    EXPECT_FALSE(mc::compactdb(set.sqliteFile(), target));
    EXPECT_FALSE(mc::compactdb(set.folder() + "/none.mdb", set.folder() + "/other.mdb"));
}
