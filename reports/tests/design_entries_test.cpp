// The 报表设计 entries of the main menu open the designer on their templates.

#include "frmreportdesigner.h"
#include "register_reports.h"
#include "template_catalogue.h"
#include "template_file.h"

#include "database.h"
#include "globals.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "scratch_database.h"
#include "window_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <memory>

using namespace mc::reports;

class DesignEntries : public testing::Test {
protected:
    void SetUp() override
    {
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
        saved = mc::appPath;
        mc::appPath = app.path() + "/";
        installTemplates(mc::appPath);
        registerWindows();
    }
    void TearDown() override
    {
        mc::db::closeConnection(mc::db::accountConnection);
        mc::appPath = saved;
    }
    std::unique_ptr<TfrmReportDesigner> open(const char* item)
    {
        const mc::WindowEntry* entry = mc::registeredWindow(item);
        if (!entry)
            return nullptr;
        return std::unique_ptr<TfrmReportDesigner>(qobject_cast<TfrmReportDesigner*>(entry->create(nullptr)));
    }
    // The field list shows titles; each field item names its column in its tip.
    static bool lists(const TfrmReportDesigner& d, const char* field)
    {
        for (QTreeWidgetItemIterator it(d.findChild<QTreeWidget*>("fieldList")); *it; ++it)
            if ((*it)->toolTip(0) == QLatin1String(field))
                return true;
        return false;
    }

    std::optional<mctest::ScratchDatabase> set;
    QTemporaryDir app;
    QString saved;
};

TEST_F(DesignEntries, EveryEntryOpensItsTemplateWithItsSources)
{
    for (int i = 101; i <= 118; ++i) {
        const QString item = QStringLiteral("I%1").arg(i);
        const auto d = open(item.toLatin1().constData());
        ASSERT_NE(d, nullptr) << i;
        EXPECT_FALSE(d->document().report().isEmpty()) << i;
        EXPECT_TRUE(d->windowTitle().contains(designEntry(item)->name + ".fr3")) << i;
    }
    // The withdrawal receipt: its entry and its member, though no window of the withdrawal or the
    // top-up was ever opened.
    const auto d = open("I105");
    EXPECT_TRUE(d->windowTitle().contains(QStringLiteral("储值卡取款.fr3")));
    EXPECT_TRUE(lists(*d, "xfje"));
    EXPECT_TRUE(lists(*d, "cardname"));
}

TEST_F(DesignEntries, MissingTemplateOpensEmptyAndSavingCreatesIt)
{
    const QString file = templatePath(mc::appPath, "hyjcxf");
    QFile::remove(file);
    const auto d = open("I108");
    EXPECT_TRUE(d->document().report().isEmpty());
    EXPECT_EQ(d->save(), "");
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(DesignEntries, FailingQueriesAreShownAndTheTemplateStillOpens)
{
    mc::db::exec(set->db(), "drop table memberxk");
    const auto text = mctest::answerNextMessageBox();
    const auto d = open("I103");
    EXPECT_FALSE(text->isEmpty());
    EXPECT_FALSE(d->document().report().isEmpty());
    EXPECT_FALSE(lists(*d, "memberno"));
}
