// The main window applies the operator's permissions and opens the shift.

#include "database.h"
#include "frame_windows.h"
#include "frmmain.h"
#include "globals.h"
#include "modal_answer.h"
#include "modal_steps.h"
#include "permissions.h"
#include "qt_print.h"
#include "reminder_windows.h"
#include "scratch_database.h"
#include "settings_cache.h"
#include "utils/sysset.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        mc::appPath = folder.path() + "/";
        mc::settings = {};
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
        mc::operatorCode = "01";
        mc::operatorName = "张三";
    }
    void TearDown() override
    {
        mc::db::closeConnection(mc::db::accountConnection);
        mc::operatorCode.clear();
        mc::operatorName.clear();
        mc::operatorClass.clear();
        mc::appPath.clear();
        mc::settings = {};
        mc::cardMode = 1;
    }
    QTemporaryDir folder;
    std::optional<mctest::ScratchDatabase> set;
};

TEST_F(MainWindow, AClassWithoutRowsSeesOnlyHelpAndAShiftIsOpened)
{
    mc::operatorClass = "收银员";
    mc::savePermissions(set->db(), "收银员", {{"N9", "会员管理(&G)", true}});
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("澄岚会员卡管理软件"));
    EXPECT_TRUE(w.action("N19")->isEnabled());
    EXPECT_TRUE(w.action("N9")->isEnabled());
    EXPECT_FALSE(w.action("N8")->isEnabled());
    EXPECT_FALSE(w.action("N1")->isEnabled());
    EXPECT_EQ(mc::db::scalar(set->db(), "select count(*) from actorjs where isjs = false and actorid = '01'").toInt(), 1);

    // A second window (another workstation's start) adds no second shift.
    Tfrmmain again;
    again.setBackupOnClose(false);
    again.FormShow();
    EXPECT_EQ(mc::db::scalar(set->db(), "select count(*) from actorjs").toInt(), 1);
}

TEST_F(MainWindow, TheAdministratorSeesEverything)
{
    mc::operatorClass = "管理员";
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();
    for (const char* name : {"N1", "N8", "D3", "B3", "Q1", "N19"})
        EXPECT_TRUE(w.action(name)->isEnabled()) << name;
}

TEST_F(MainWindow, RegisteredWindowsOpenOnceAsChildren)
{
    mc::operatorClass = "管理员";
    int created = 0;
    mc::registerWindow("G6", mc::WindowEntry::Kind::Child, [&created](QWidget* parent) {
        ++created;
        auto* w = new QWidget(parent);
        w->setWindowTitle("测试窗口");
        return w;
    });
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();
    auto* mdi = w.findChild<QMdiArea*>("mdi");
    w.action("G6")->trigger();
    w.action("G6")->trigger();  // a second request brings the open window forward
    EXPECT_EQ(created, 1);
    ASSERT_EQ(mdi->subWindowList().size(), 1);
    EXPECT_EQ(mdi->subWindowList()[0]->widget()->windowTitle(), "测试窗口");

    mdi->subWindowList()[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(mdi->subWindowList().isEmpty());
    w.action("G6")->trigger();
    EXPECT_EQ(created, 2);
}

namespace {

// What the start timers opened, in order; the registered windows outlive a test, so they
// report here rather than into a test's own variables.
QStringList& opened()
{
    static QStringList events;
    return events;
}

QDialog* recordingReminder(QWidget* parent, const QString& what, const QStringList& members)
{
    opened() << what + ":" + members.join(",");
    auto* dialog = new QDialog(parent);
    QTimer::singleShot(0, dialog, &QDialog::accept);
    return dialog;
}

}  // namespace

TEST_F(MainWindow, StartReadsTheSettingsAndTheCardModeThenOpensConsumptionAndTheRemindersInOrder)
{
    mc::operatorClass = "管理员";
    mc::db::exec(set->db(), "insert into sysset(jeblxs, autobppath) values(3, '/srv/bp')");
    mc::db::exec(set->db(), "insert into machineset(symc, jplr) values('ic', 2)");
    mc::db::exec(set->db(), "insert into cardclass(cardno, cardname, classname) values('0001', '金卡', '储值卡')");
    const QString member = "insert into membercurlist(memberno, cardno, cardstatus, birthday, curmoney) values(?, '0001', ?, ?, ?)";
    const QDate today = QDate::currentDate();
    mc::db::exec(set->db(), member, {"01", "正常", QDateTime(today.addDays(2), QTime()), 100.0});
    mc::db::exec(set->db(), member, {"02", "正常", QDateTime(today.addDays(100), QTime()), 5.0});
    mc::db::exec(set->db(), member, {"03", "注销", QDateTime(today, QTime()), 5.0});
    mc::writebool("sys", "srtx", true);
    mc::writeint("sys", "txdays", 3);
    mc::writebool("sys", "yetx", true);
    mc::writestr("sys", "yetxje", "10");
    mc::writebool("sys", "dqtx", false);  // off: its window must not appear

    opened().clear();
    mc::registerWindow("M1", mc::WindowEntry::Kind::Child, [](QWidget* parent) {
        opened() << "M1";
        return new QLabel("消费", parent);
    });
    mc::registerReminderWindow(mc::Reminder::Birthday, [](QWidget* p, const QStringList& m) {
        return recordingReminder(p, "birthday", m);
    });
    mc::registerReminderWindow(mc::Reminder::LowBalance, [](QWidget* p, const QStringList& m) {
        return recordingReminder(p, "balance", m);
    });
    mc::registerReminderWindow(mc::Reminder::Expiry, [](QWidget* p, const QStringList& m) {
        return recordingReminder(p, "expiry", m);
    });

    Tfrmmain w;
    w.setBackupOnClose(false);
    EXPECT_EQ(mc::settings.jeblxs, 2);  // until the row is read
    w.FormShow();
    EXPECT_EQ(mc::settings.jeblxs, 3);
    EXPECT_EQ(mc::backupPath, "/srv/bp");
    EXPECT_EQ(mc::cardMode, 2);
    EXPECT_TRUE(opened().isEmpty());  // the timers have not fired yet

    EXPECT_TRUE(QTest::qWaitFor([] { return opened().size() >= 3; }, 3000));
    EXPECT_EQ(opened(), QStringList({"M1", "birthday:01", "balance:02"}));
    EXPECT_EQ(w.findChild<QMdiArea*>("mdi")->subWindowList().size(), 1);
}

TEST_F(MainWindow, TheWindowArrangementIsCheckedFromTheSettingsAndKeptWhenChosen)
{
    mc::operatorClass = "管理员";
    mc::writeint("sys", "windowlist", 2);
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.resize(1000, 800);
    w.show();
    w.FormShow();
    EXPECT_TRUE(w.action("N25")->isChecked());
    EXPECT_FALSE(w.action("N23")->isChecked());

    auto* mdi = w.findChild<QMdiArea*>("mdi");
    QMdiSubWindow* a = mdi->addSubWindow(new QLabel("甲"));
    QMdiSubWindow* b = mdi->addSubWindow(new QLabel("乙"));
    a->show();
    b->show();
    const QRect space = mdi->viewport()->rect();

    w.action("N24")->trigger();  // one above the other
    EXPECT_TRUE(w.action("N24")->isChecked());
    EXPECT_FALSE(w.action("N25")->isChecked());
    EXPECT_EQ(mc::readint("sys", "windowlist"), 1);
    EXPECT_EQ(a->geometry(), QRect(0, 0, space.width(), space.height() / 2));
    EXPECT_EQ(b->geometry().top(), space.height() / 2);
    EXPECT_EQ(b->geometry().width(), space.width());

    w.action("N25")->trigger();  // side by side
    EXPECT_EQ(mc::readint("sys", "windowlist"), 2);
    EXPECT_EQ(a->geometry(), QRect(0, 0, space.width() / 2, space.height()));
    EXPECT_EQ(b->geometry().left(), space.width() / 2);

    w.action("N23")->trigger();
    EXPECT_EQ(mc::readint("sys", "windowlist"), 0);
    EXPECT_TRUE(w.action("N23")->isChecked());
}

TEST_F(MainWindow, PermissionsSettingsAndAboutOpenFromTheirMenuItems)
{
    mc::operatorClass = "管理员";
    mc::accountSet = "test";
    mc::registerFrameWindows();
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();
    const struct {
        const char* item;
        const char* window;
        const char* caption;
    } cases[] = {{"Q1", "frmqx", "权限设置"}, {"T1", "frmsysset", "系统设置"}, {"G1", "frmabout", "关于"}};
    for (const auto& c : cases) {
        w.action(c.item)->trigger();
        auto* window = w.findChild<QDialog*>(QLatin1String(c.window));
        ASSERT_NE(window, nullptr) << c.item;
        EXPECT_TRUE(window->isVisible()) << c.item;
        EXPECT_TRUE(window->isModal()) << c.item;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption));
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(w.findChild<QDialog*>(QLatin1String(c.window)), nullptr) << c.item;
    }
    mc::accountSet.clear();
}

TEST_F(MainWindow, AFailingReminderCheckIsReportedAndEndsTheChecksAfterIt)
{
    mc::operatorClass = "管理员";
    mc::db::exec(set->db(), "insert into sysset(membersrsend) values(true)");
    mc::db::exec(set->db(), "insert into membercurlist(memberno, cardstatus, xfjf) values('01', '正常', 500)");
    mc::db::exec(set->db(), "drop table smssend");  // the birthday-message check cannot run
    mc::writebool("sys", "usejftx", true);
    mc::writeint("sys", "jftx", 100);
    opened().clear();
    mc::registerReminderWindow(mc::Reminder::Points, [](QWidget* p, const QStringList& m) {
        return recordingReminder(p, "points", m);
    });

    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();
    auto message = mctest::answerNextMessageBox();
    EXPECT_TRUE(QTest::qWaitFor([&message] { return !message->isEmpty(); }, 3000));
    EXPECT_TRUE(message->contains("smssend")) << message->toStdString();
    QTest::qWait(300);
    EXPECT_FALSE(opened().contains("points:01"));
}

// 备份数据: the dialog picks a file that already holds an older backup and Yes replaces it.
TEST_F(MainWindow, AManualBackupReplacesAnOldFileOnlyWithACompleteCopy)
{
    mc::operatorClass = "管理员";
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();
    const QString target = folder.filePath("old.bp");
    auto writeOld = [&target] {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("older backup");
    };
    auto runBackup = [&w, &target](QStringList& texts) {
        auto picked = mctest::onNextModal<QFileDialog>([target](QFileDialog* d) {
            d->findChild<QLineEdit*>("fileNameEdit")->setText(target);  // typed as the user would
            static_cast<QDialog*>(d)->accept();  // as the save button does
        });
        auto answers = mctest::answerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok});
        w.action("B3")->trigger();
        EXPECT_TRUE(*picked);
        texts = *answers;
    };

    // The copy fails: the old backup stays as it was and no 备份完成 is shown.
    writeOld();
    mc::dbFile = folder.filePath("missing.db");
    QStringList texts;
    runBackup(texts);
    ASSERT_EQ(texts.size(), 2) << texts.join('|').toStdString();
    EXPECT_EQ(texts[0], QStringLiteral("文件已存在，是否替换?"));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("备份失败"))) << texts[1].toStdString();
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "older backup");
    kept.close();

    // The copy succeeds: the file now holds the account set.
    mc::db::exec(set->db(), "insert into sysset(dwname) values('好运洗车')");
    mc::dbFile = set->sqliteFile();
    runBackup(texts);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1], QStringLiteral("备份完成"));
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase("QSQLITE", "manualBackupCopy");
        copy.setDatabaseName(target);
        ASSERT_TRUE(copy.open());
        EXPECT_EQ(mc::db::scalar(copy, "select dwname from sysset").toString(), QStringLiteral("好运洗车"));
    }
    QSqlDatabase::removeDatabase("manualBackupCopy");
    EXPECT_FALSE(QFile::exists(target + ".part"));
    mc::dbFile.clear();
}
