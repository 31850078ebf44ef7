// The main window applies the operator's permissions and opens the shift.

#include "database.h"
#include "frmmain.h"
#include "frmreportdesigner.h"
#include "globals.h"
#include "permissions.h"
#include "qt_print.h"
#include "scratch_database.h"
#include "template_catalogue.h"
#include "template_file.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>

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

TEST_F(MainWindow, DesignEntriesOpenTheDesignerOnTheirTemplate)
{
    QTemporaryDir app;
    const QString saved = mc::appPath;
    mc::appPath = app.path() + "/";
    mc::reports::installTemplates(mc::appPath);
    QFile::remove(mc::reports::templatePath(mc::appPath, "hyjcxf"));
    mc::operatorClass = "管理员";
    Tfrmmain w;
    w.setBackupOnClose(false);
    w.FormShow();

    // No window of the withdrawal was ever opened: the designer gets its sources all the same.
    w.action("I105")->trigger();
    auto* designer = w.findChild<TfrmReportDesigner*>();
    ASSERT_NE(designer, nullptr);
    EXPECT_TRUE(designer->windowTitle().contains(QStringLiteral("储值卡取款.fr3")));
    EXPECT_FALSE(designer->document().report().isEmpty());
    const auto* fields = designer->findChild<QTreeWidget*>("fieldList");
    EXPECT_FALSE(fields->findItems("ckje", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    EXPECT_FALSE(fields->findItems("cardname", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    delete designer;

    // A template that is not there opens as an empty report.
    w.action("I108")->trigger();
    designer = w.findChild<TfrmReportDesigner*>();
    ASSERT_NE(designer, nullptr);
    EXPECT_TRUE(designer->document().report().isEmpty());
    delete designer;
    mc::appPath = saved;
}
