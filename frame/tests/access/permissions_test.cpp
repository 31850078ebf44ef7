// Menu permissions per staff class, and the operator's password change.

#include "database.h"
#include "main_menu.h"
#include "password_change.h"
#include "password_hash.h"
#include "permissions.h"
#include "scratch_database.h"
#include "start_state.h"

#include <QSet>

using mc::MenuItem;
using mc::PermissionRow;

namespace {

int countItems(const MenuItem& item)
{
    if (item.isSeparator())
        return 0;
    int n = 1;
    for (const MenuItem& child : item.children)
        n += countItems(child);
    return n;
}

}  // namespace

TEST(MainMenu, NamesAreUniqueAndHelpComesLast)
{
    QSet<QString> names;
    std::function<void(const MenuItem&)> walk = [&](const MenuItem& item) {
        if (item.isSeparator())
            return;
        EXPECT_FALSE(names.contains(item.name)) << item.name.toStdString();
        names.insert(item.name);
        for (const MenuItem& child : item.children)
            walk(child);
    };
    for (const MenuItem& top : mc::mainMenu())
        walk(top);
    EXPECT_EQ(mc::mainMenu().last().caption, QStringLiteral("帮助(&H)"));
    EXPECT_EQ(mc::mainMenu()[0].children[6].children.size(), 19);  // 18 design entries and a separator
}

TEST(Permissions, TheAdministratorClassIsNeverRestricted)
{
    const auto state = mc::applyPermissions(mc::mainMenu(), "管理员", {{"N8", "会员注册(&Z)", false}});
    for (auto it = state.begin(); it != state.end(); ++it)
        EXPECT_TRUE(it.value()) << it.key().toStdString();
}

TEST(Permissions, AClassWithoutRowsHasOnlyTheHelpMenu)
{
    const auto state = mc::applyPermissions(mc::mainMenu(), "收银员", {});
    EXPECT_TRUE(state.value("N19"));
    EXPECT_TRUE(state.value("N20"));
    EXPECT_TRUE(state.value("N25"));
    EXPECT_FALSE(state.value("N1"));
    EXPECT_FALSE(state.value("N8"));
    EXPECT_FALSE(state.value("D3"));
}

TEST(Permissions, RowsEnableTheFirstItemWithTheirCaption)
{
    const QList<MenuItem> menu = {
        {"A", "甲", {}, {{"A1", "重名", {}, {}}, {"A2", "重名", {}, {}}}},
        {"B", "外层", {}, {{"B1", "外层", {}, {}}, {"B2", "重名", {}, {}}}},
        {"H", "帮助(&H)", {}, {{"H1", "重名", {}, {}}}},
    };
    const auto state = mc::applyPermissions(menu, "收银员",
                                            {{"x", "重名", true}, {"y", "外层", true}, {"z", "没有这一项", true}});
    EXPECT_TRUE(state.value("A1"));
    EXPECT_FALSE(state.value("A2"));
    EXPECT_FALSE(state.value("B2"));
    // Children are searched before the item itself.
    EXPECT_TRUE(state.value("B1"));
    EXPECT_FALSE(state.value("B"));
    EXPECT_FALSE(state.value("A"));
}

TEST(Permissions, HelpMenuRowsApplyToo)
{
    // The permission window never lists 帮助, but rows for it may be stored; they count.
    const auto state = mc::applyPermissions(mc::mainMenu(), "收银员",
                                            {{"G1", "关于(&G)", false}, {"N8", "会员注册(&Z)", true}});
    EXPECT_FALSE(state.value("G1"));
    EXPECT_TRUE(state.value("N20"));
    EXPECT_TRUE(state.value("N19"));
    EXPECT_TRUE(state.value("N8"));
    // The administrator is still never restricted.
    EXPECT_TRUE(mc::applyPermissions(mc::mainMenu(), "管理员", {{"G1", "关于(&G)", false}}).value("G1"));
}

class PermissionStore : public mctest::EngineTest {};

TEST_P(PermissionStore, SavedRowsReplaceTheClassAndComeBackApplied)
{
    const QHash<QString, bool> allowed{{"N7", true}, {"N8", true}, {"M1", true}};
    const auto rows = mc::permissionRows(mc::mainMenu(), allowed);
    int expected = 0;
    for (qsizetype i = 0; i + 1 < mc::mainMenu().size(); ++i)
        expected += countItems(mc::mainMenu()[i]);
    EXPECT_EQ(rows.size(), expected);

    mc::savePermissions(db(), "收银员", {{"OLD", "旧", true}});
    mc::savePermissions(db(), "店长", {{"N1", "基本设置(&J)", true}});
    mc::savePermissions(db(), "收银员", rows);
    const auto loaded = mc::loadPermissions(db(), "收银员");
    ASSERT_EQ(loaded.size(), rows.size());
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from classqx where menucode = 'OLD'").toInt(), 0);
    EXPECT_EQ(mc::loadPermissions(db(), "店长").size(), 1);

    const auto state = mc::applyPermissions(mc::mainMenu(), "收银员", loaded);
    EXPECT_TRUE(state.value("N7"));
    EXPECT_TRUE(state.value("N8"));
    EXPECT_TRUE(state.value("M1"));
    EXPECT_FALSE(state.value("N9"));
    EXPECT_FALSE(state.value("N1"));
}

TEST_P(PermissionStore, PasswordChangeChecksInOrderAndStoresAHash)
{
    mc::db::exec(db(), "insert into gsyg(ygid, ygname, pwd) values(?, ?, ?)", {"01", "张三", mc::hashPassword("old")});
    const struct {
        const char* old;
        const char* fresh;
        const char* confirm;
        const char* message;
    } failures[] = {
        {"old", "new", "neW", "新口令与验证口令不一致，请重新输入"},
        {"wrong", "new", "new", "原口令不正确，请重新输入"},
        {"wrong", "new", "other", "新口令与验证口令不一致，请重新输入"},
    };
    for (const auto& c : failures) {
        const auto r = mc::changePassword(db(), "01", c.old, c.fresh, c.confirm);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
    }
    EXPECT_TRUE(mc::verifyPassword("old", mc::db::scalar(db(), "select pwd from gsyg").toString()));

    // The operator's row has gone: nothing is changed and nothing is said.
    const auto gone = mc::changePassword(db(), "99", "old", "new", "new");
    EXPECT_FALSE(gone.ok);
    EXPECT_EQ(gone.message, QString());

    const auto r = mc::changePassword(db(), "01", "old", "new", "new");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("更改口令完成"));
    const QString stored = mc::db::scalar(db(), "select pwd from gsyg").toString();
    EXPECT_NE(stored, "new");
    EXPECT_TRUE(mc::verifyPassword("new", stored));
    // An empty new password is accepted.
    EXPECT_TRUE(mc::changePassword(db(), "01", "new", "", "").ok);
    EXPECT_TRUE(mc::verifyPassword("", mc::db::scalar(db(), "select pwd from gsyg").toString()));
}

MC_ENGINES(PermissionStore);

class StartStates : public mctest::EngineTest {};

TEST_P(StartStates, CaptionCardModeAndPermissionsFollowTheAccountSet)
{
    auto s = mc::loadStartState(db(), "管理员");
    EXPECT_EQ(mc::mainCaption(s.companyName), QStringLiteral("澄岚会员卡管理软件"));
    EXPECT_EQ(s.cardMode, 1);
    EXPECT_TRUE(s.enabled.value("N8"));

    mc::db::exec(db(), "insert into sysset(dwname, autobppath) values(?, ?)", {"好运洗车", "/backup"});
    const struct {
        const char* symc;
        int jplr;
        int mode;
    } cases[] = {{"ic卡", 0, 1}, {"仅进行会员管理", 0, 3}, {"仅进行会员管理", 2, 2}, {"ic卡", 2, 2}};
    for (const auto& c : cases) {
        mc::db::exec(db(), "delete from machineset");
        mc::db::exec(db(), "insert into machineset(symc, jplr) values(?, ?)", {QString::fromUtf8(c.symc), c.jplr});
        s = mc::loadStartState(db(), "收银员");
        EXPECT_EQ(s.cardMode, c.mode) << c.symc << c.jplr;
    }
    EXPECT_EQ(s.companyName, QStringLiteral("好运洗车"));
    EXPECT_FALSE(s.enabled.value("N8"));
    EXPECT_TRUE(s.enabled.value("N20"));
}

MC_ENGINES(StartStates);
