// The permission window's tree: loading a class's rows and the toggle rule.

#include "main_menu.h"
#include "permission_tree.h"

#include <gtest/gtest.h>

using mc::MenuItem;

namespace {

// 甲 › (乙 › 丙, 丁), 戊, then the help menu the tree leaves out.
QList<MenuItem> smallMenu()
{
    return {
        {"A", "甲", {}, {{"B", "乙", {}, {{"C", "丙", {}, {}}}}, {QString(), "-", {}, {}}, {"D", "丁", {}, {}}}},
        {"E", "戊", {}, {}},
        {"H", "帮助(&H)", {}, {{"H1", "帮助(&H)", {}, {}}}},
    };
}

}  // namespace

TEST(PermissionTree, ShowsEveryMenuButHelpWithCaptionAndNameAndNoSeparators)
{
    const mc::PermissionTree tree(mc::mainMenu());
    const auto rows = tree.rows();
    EXPECT_EQ(mc::permissionNodeText(mc::mainMenu()[1].children[0]), QStringLiteral("会员注册(&Z)[N8]"));
    for (const auto& row : rows) {
        EXPECT_NE(row.menucode, "N19");
        EXPECT_NE(row.menuname, "-");
        EXPECT_FALSE(row.isyy);
    }
    EXPECT_EQ(rows.first().menucode, "N1");
    EXPECT_EQ(rows.last().menucode, "D3");
}

TEST(PermissionTree, AllowingANodeAllowsItsSubtreeAndItsAncestors)
{
    mc::PermissionTree tree(smallMenu());
    tree.toggle("B");
    for (const char* name : {"", "A", "B", "C"})
        EXPECT_TRUE(tree.allowed(name)) << name;
    EXPECT_FALSE(tree.allowed("D"));
    EXPECT_FALSE(tree.allowed("E"));

    // Forbidding a node forbids its subtree; its ancestors keep their state.
    tree.toggle("B");
    EXPECT_FALSE(tree.allowed("B"));
    EXPECT_FALSE(tree.allowed("C"));
    EXPECT_TRUE(tree.allowed("A"));
    EXPECT_TRUE(tree.allowed(""));

    // The root switches everything.
    tree.toggle("");
    EXPECT_FALSE(tree.allowed("A"));
    tree.toggle("");
    for (const char* name : {"A", "B", "C", "D", "E"})
        EXPECT_TRUE(tree.allowed(name)) << name;
}

TEST(PermissionTree, RowsAreMatchedByCaptionAndNameAndTheRootFollowsThem)
{
    mc::PermissionTree tree(smallMenu());
    tree.toggle("");
    tree.load({{"C", "丙", true}, {"D", "别的名字", true}, {"X", "乙", true}});
    EXPECT_TRUE(tree.allowed("C"));
    EXPECT_FALSE(tree.allowed("D"));  // the caption no longer matches: no node
    EXPECT_FALSE(tree.allowed("B"));  // loading does not apply the toggle rule
    EXPECT_TRUE(tree.allowed(""));

    tree.load({{"C", "丙", false}});
    EXPECT_FALSE(tree.allowed(""));

    // Saved rows: every node but the root, in tree order, separators left out.
    tree.toggle("D");
    const auto rows = tree.rows();
    ASSERT_EQ(rows.size(), 5);
    const char* order[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rows[i].menucode, QLatin1String(order[i]));
    EXPECT_TRUE(rows[0].isyy);
    EXPECT_FALSE(rows[1].isyy);
    EXPECT_TRUE(rows[3].isyy);
    EXPECT_EQ(rows[3].menuname, "丁");
}
