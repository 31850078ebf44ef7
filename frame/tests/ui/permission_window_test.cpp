// The permission window, driven through its widgets.

#include "database.h"
#include "frmqx.h"
#include "globals.h"
#include "modal_answer.h"
#include "permissions.h"
#include "qt_print.h"
#include "scratch_database.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

class PermissionWindow : public testing::Test {
protected:
    void SetUp() override
    {
        set.emplace(mctest::Engine::Sqlite);
        mc::db::closeConnection(mc::db::accountConnection);
        set->connect(mc::db::accountConnection);
        mc::db::exec(set->db(), "insert into ygclass(yglbcode, yglb) values('01', '管理员'), ('02', '收银员')");
    }
    void TearDown() override { mc::db::closeConnection(mc::db::accountConnection); }

    static QTreeWidgetItem* node(QTreeWidget* tree, const QString& text)
    {
        const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0);
    }
    // Presses and releases the left button on the node's image.
    static void clickImage(QTreeWidget* tree, QTreeWidgetItem* item)
    {
        tree->scrollToItem(item);
        const QRect r = tree->visualItemRect(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 6, r.center().y()));
    }
    // Allowed nodes show image 0, the others image 1.
    static bool shownAllowed(QTreeWidgetItem* item)
    {
        return item->data(0, Tfrmqx::ImageIndexRole).toInt() == 0;
    }
    std::optional<mctest::ScratchDatabase> set;
};

TEST_F(PermissionWindow, ListsTheClassesAndEveryMenuItemButHelp)
{
    Tfrmqx w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("权限设置"));
    auto* classes = w.findChild<QListWidget*>("ListBox1");
    ASSERT_EQ(classes->count(), 2);
    EXPECT_EQ(classes->item(1)->text(), QStringLiteral("收银员"));
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("会员管理软件"));
    ASSERT_EQ(root->childCount(), 5);  // 帮助(&H) is left out
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("会员管理(&M)[N7]"));
    EXPECT_EQ(root->child(1)->childCount(), 4);  // separators left out
    EXPECT_EQ(root->child(1)->child(0)->text(0), QStringLiteral("会员注册(&Z)[N8]"));
    EXPECT_TRUE(root->child(1)->isExpanded());
    EXPECT_FALSE(w.findChild<QPushButton*>("BitBtn1")->isEnabled());  // no class yet
}

TEST_F(PermissionWindow, ClickingImagesFollowsTheToggleRuleAndSavingReplacesTheClass)
{
    mc::savePermissions(set->db(), "收银员", {{"N9", "会员管理(&G)", true}, {"OLD", "旧项", true}});
    Tfrmqx w;
    w.show();
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    auto* classes = w.findChild<QListWidget*>("ListBox1");
    classes->setCurrentRow(1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QTreeWidgetItem* membersMenu = node(tree, QStringLiteral("会员管理(&M)[N7]"));
    QTreeWidgetItem* manage = node(tree, QStringLiteral("会员管理(&G)[N9]"));
    QTreeWidgetItem* designs = node(tree, QStringLiteral("报表设计(I)[I1]"));
    QTreeWidgetItem* firstDesign = designs->child(0);
    EXPECT_TRUE(shownAllowed(manage));
    EXPECT_FALSE(shownAllowed(membersMenu));  // loading applies no rule to the parent
    EXPECT_TRUE(shownAllowed(root));

    clickImage(tree, designs);
    EXPECT_TRUE(shownAllowed(designs));
    EXPECT_TRUE(shownAllowed(firstDesign));
    EXPECT_TRUE(shownAllowed(node(tree, QStringLiteral("基本设置(&J)[N1]"))));
    EXPECT_FALSE(shownAllowed(node(tree, QStringLiteral("商品设置(&S)[S1]"))));

    // A click on the text is not a toggle.
    tree->scrollToItem(manage);
    const QRect r = tree->visualItemRect(manage);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 60, r.center().y()));
    EXPECT_TRUE(shownAllowed(manage));
    clickImage(tree, manage);
    EXPECT_FALSE(shownAllowed(manage));

    auto message = mctest::answerNextMessageBox();
    w.findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(*message, QStringLiteral("保存成功"));
    const auto rows = mc::loadPermissions(set->db(), "收银员");
    EXPECT_EQ(rows.first().menucode, "N1");
    EXPECT_EQ(rows.first().menuname, QStringLiteral("基本设置(&J)"));
    QHash<QString, bool> saved;
    for (const auto& row : rows)
        saved.insert(row.menucode, row.isyy);
    EXPECT_FALSE(saved.contains("OLD"));
    EXPECT_FALSE(saved.contains("N19"));
    EXPECT_TRUE(saved.value("N1"));
    EXPECT_TRUE(saved.value("I1"));
    EXPECT_TRUE(saved.value("I118"));
    EXPECT_FALSE(saved.value("N9"));
    EXPECT_FALSE(saved.value("S1"));

    // The saved rows enable the menu they were toggled through.
    const auto state = mc::applyPermissions(mc::mainMenu(), "收银员", rows);
    EXPECT_TRUE(state.value("N1"));
    EXPECT_TRUE(state.value("I105"));
    EXPECT_FALSE(state.value("N9"));
}
