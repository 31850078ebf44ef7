// The exit backup window runs the backup by itself once shown and closes when done.

#include "database.h"
#include "frmshow.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "scratch_database.h"

#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

TEST(BackupWindow, BacksUpAndClosesByItself)
{
    mctest::ScratchDatabase set(mctest::Engine::Sqlite);
    mc::ExitBackupRequest r;
    r.dbFile = set.sqliteFile();
    r.appPath = set.folder() + "/";
    r.accountSet = "set";
    Tfrmshow w(r);
    EXPECT_EQ(w.size(), QSize(645, 215));
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), QStringLiteral("正在备份文件"));
    EXPECT_EQ(w.exec(), QDialog::Accepted);
    EXPECT_TRUE(w.result().backedUp);
    EXPECT_TRUE(QFileInfo::exists(set.folder() + "/setbp/0.bp"));
    EXPECT_EQ(w.findChild<QProgressBar*>("Gauge1")->value(), 100);
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), QStringLiteral("正在压缩数据库,请稍候...."));
}

TEST(BackupWindow, SaysWhyNothingWasBackedUp)
{
    QTemporaryDir dir;
    mc::ExitBackupRequest r;
    r.appPath = dir.path() + "/";
    r.accountSet = "server";
    r.serverSet = true;
    Tfrmshow w(r);
    auto message = mctest::answerNextMessageBox();
    w.exec();
    EXPECT_FALSE(w.result().backedUp);
    EXPECT_EQ(*message, w.result().message);
    EXPECT_FALSE(message->isEmpty());
}
