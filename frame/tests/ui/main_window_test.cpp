// The main window applies the operator's permissions and opens the shift.

#include "database.h"
#include "frmmain.h"
#include "globals.h"
#include "permissions.h"
#include "qt_print.h"
#include "scratch_database.h"
#include "window_registry.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
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
    }
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
