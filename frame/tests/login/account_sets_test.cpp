// Account sets and the login checks, against real catalogue and account-set databases.

#include "account_sets.h"
#include "data_files.h"
#include "database.h"
#include "globals.h"
#include "password_hash.h"
#include "scratch_database.h"

#include <QTemporaryDir>

using mc::db::exec;
using mc::db::scalar;
using namespace mc::login;

namespace {

// A data folder with template, catalogue and demonstration set, and the catalogue open.
class DataFolderFixture {
public:
    DataFolderFixture()
    {
        mc::appPath = dir.path() + "/";
        mc::populateDataFolder(mc::appPath);
        catalogue = mc::db::openSqlite("catalogue-test", mc::catalogueFile(mc::appPath));
    }
    ~DataFolderFixture()
    {
        catalogue = QSqlDatabase();
        mc::db::closeConnection("catalogue-test");
        mc::db::closeConnection(mc::db::accountConnection);
        mc::appPath.clear();
        mc::accountSet.clear();
        mc::dbFile.clear();
    }
    QTemporaryDir dir;
    QSqlDatabase catalogue;
};

}  // namespace

TEST(StaffCode, IsPaddedToTheConfiguredWidthExceptTheAdministrator)
{
    const struct {
        const char* typed;
        int width;
        const char* expected;
    } cases[] = {{"12", 8, "00000012"}, {"735146", 8, "735146"}, {"123456789", 8, "123456789"},
                 {"12", 0, "12"}, {"0012", 4, "0012"}};
    for (const auto& c : cases)
        EXPECT_EQ(normaliseStaffCode(c.typed, c.width), QString(c.expected)) << c.typed;
}

TEST(AccountSetList, PreselectsTheSetOfTheLatestLogin)
{
    DataFolderFixture f;
    exec(f.catalogue, "insert into sjklj(ztmc, memo, lastload) values('b', '乙', false), ('c', '丙', true)");
    exec(f.catalogue, "update sjklj set lastload = false where ztmc = 'test'");
    const auto sets = listAccountSets(f.catalogue);
    ASSERT_EQ(sets.size(), 3);
    EXPECT_EQ(sets[0].ztmc, "b");
    EXPECT_EQ(preselectedIndex(sets), 1);  // c
    EXPECT_TRUE(isDemoSet(sets[2]));
    EXPECT_FALSE(isDemoSet(sets[0]));
    exec(f.catalogue, "update sjklj set lastload = false");
    EXPECT_EQ(preselectedIndex(listAccountSets(f.catalogue)), 0);
}

TEST(AccountSetList, AnUnreadableCatalogueIsReportedNotShownEmpty)
{
    DataFolderFixture f;
    const QDateTime login(QDate(2026, 12, 11), QTime(9, 30, 5));
    exec(f.catalogue, "update sjklj set lastloadtime = ?, loadip = '10.0.0.7'", {login});
    const auto listed = readAccountSets(f.catalogue);
    ASSERT_TRUE(listed.ok);
    EXPECT_EQ(listed.value[0].lastloadtime, login);
    EXPECT_EQ(listed.value[0].loadip, "10.0.0.7");

    exec(f.catalogue, "drop table sjklj");
    const auto broken = readAccountSets(f.catalogue);
    EXPECT_FALSE(broken.ok);
    EXPECT_TRUE(broken.message.contains("错误:")) << broken.message.toStdString();
    EXPECT_TRUE(broken.value.isEmpty());
    EXPECT_FALSE(deleteAccountSet(f.catalogue, "test").ok);
}

TEST(ConnectDb, AFileSetBecomesTheCurrentSet)
{
    DataFolderFixture f;
    const auto sets = listAccountSets(f.catalogue);
    ASSERT_TRUE(connectdb(sets[0]).ok);
    EXPECT_EQ(mc::accountSet, "test");
    EXPECT_EQ(mc::dbFile, mc::appPath + "test/test.mdb");
    EXPECT_EQ(scalar(QSqlDatabase::database(mc::db::accountConnection), "select count(*) from gsyg where ygid = '735146'").toInt(), 1);

    // A set whose file is gone is reported; the set picked before is no longer connected, so a
    // login cannot go on in a set other than the one shown in the list.
    AccountSet gone;
    gone.ztmc = "gone";
    const mc::Done o = connectdb(gone);
    EXPECT_FALSE(o.ok);
    EXPECT_TRUE(o.message.contains("错误:")) << o.message.toStdString();
    EXPECT_EQ(mc::accountSet, "test");
    EXPECT_FALSE(QSqlDatabase::database(mc::db::accountConnection, false).isOpen());
    const QString lastLoad = "select count(*) from sjklj where lastload = true";
    const int lastLoadBefore = scalar(f.catalogue, lastLoad).toInt();
    const auto r = login(f.catalogue, QSqlDatabase::database(mc::db::accountConnection, false), "gone",
                                "735146", "1", QDateTime::currentDateTime());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(scalar(f.catalogue, lastLoad).toInt(), lastLoadBefore);
    EXPECT_TRUE(mc::operatorCode.isEmpty());
}

TEST(ConnectDb, AServerSetConnectsAndKeepsThePreviousFile)
{
    MC_REQUIRE_ENGINE(mctest::Engine::Postgres);
    DataFolderFixture f;
    mctest::ScratchDatabase server(mctest::Engine::Postgres);
    const auto pg = *mctest::testServer();
    mc::dbFile = "/earlier/earlier.mdb";
    AccountSet set;
    set.ztmc = server.db().databaseName();
    set.sjk = 1;
    set.server = QStringLiteral("%1:%2").arg(pg.host).arg(pg.port);
    set.username = pg.user;
    set.userpwd = pg.password;
    const mc::Done o = connectdb(set);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    EXPECT_EQ(mc::dbFile, "/earlier/earlier.mdb");
    EXPECT_EQ(mc::db::engineOf(QSqlDatabase::database(mc::db::accountConnection)), mctest::Engine::Postgres);

    set.server = "127.0.0.1:1";  // nothing listens there
    EXPECT_FALSE(connectdb(set).ok);
}

class Login : public mctest::EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        if (!scratch)
            return;
        exec(db(), "insert into sysset(ygws) values(8)");
        exec(db(), "insert into gsyg(ygid, ygname, yglb, pwd) values(?, ?, ?, ?)",
             {"00000012", "张三", "收银员", mc::hashPassword("abc")});
        exec(db(), "insert into gsyg(ygid, ygname, yglb, pwd) values(?, ?, ?, ?)",
             {"735146", "系统管理员", "管理员", mc::hashPassword("1")});
    }
    void TearDown() override
    {
        mc::operatorCode.clear();
        mc::operatorName.clear();
        mc::operatorClass.clear();
        mc::loginTime.clear();
    }
    DataFolderFixture folder;
};

TEST_P(Login, ChecksComeInOrderAndChangeNothingOnFailure)
{
    const struct {
        const char* code;
        const char* password;
        const char* message;
        QString focus;
    } cases[] = {
        {"", "abc", "请先录入登录员工编码", mc::login::staffCodeField},
        {"99", "abc", "登录员工编码错误,找不到该编号", mc::login::staffCodeField},
        {"12", "ABC", "登录口令错误", mc::login::passwordField},
        {"12", "", "登录口令错误", mc::login::passwordField},
    };
    for (const auto& c : cases) {
        const auto r = login(folder.catalogue, db(), "test", c.code, c.password, QDateTime::currentDateTime());
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString(c.message)) << c.code;
        EXPECT_EQ(r.field, c.focus) << c.code;
    }
    EXPECT_TRUE(mc::operatorCode.isEmpty());
    EXPECT_EQ(scalar(folder.catalogue, "select count(*) from sjklj where lastyg = '00000012'").toInt(), 0);
}

TEST_P(Login, SuccessFillsTheOperatorAndRecordsTheLogin)
{
    exec(folder.catalogue, "insert into sjklj(ztmc, memo, lastload) values('other', '分店', true)");
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30, 5));
    const auto r = login(folder.catalogue, db(), "test", "12", "abc", now);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.operatorCode, "00000012");
    EXPECT_EQ(r.value.operatorName, "张三");
    EXPECT_EQ(r.value.operatorClass, "收银员");
    EXPECT_EQ(r.value.now, now);
    EXPECT_EQ(mc::operatorCode, "00000012");
    EXPECT_EQ(mc::operatorName, "张三");
    EXPECT_EQ(mc::operatorClass, "收银员");
    EXPECT_EQ(mc::loginTime, "2026-12-11 09:30:05");

    EXPECT_EQ(scalar(folder.catalogue, "select count(*) from sjklj where lastload = true").toInt(), 1);
    QSqlQuery q = exec(folder.catalogue, "select lastyg, lastloadtime, loadip from sjklj where lastload = true and ztmc = 'test'");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "00000012");
    EXPECT_EQ(mc::db::toDateTime(q.value(1)), now);
    EXPECT_FALSE(q.value(2).toString().isEmpty());
    // The next start preselects it.
    const auto sets = listAccountSets(folder.catalogue);
    EXPECT_EQ(sets[preselectedIndex(sets)].ztmc, "test");
    EXPECT_EQ(sets[preselectedIndex(sets)].lastyg, "00000012");

    // The administrator's code is never padded.
    EXPECT_TRUE(login(folder.catalogue, db(), "test", "735146", "1", now).ok);
    EXPECT_EQ(mc::operatorCode, "735146");
}

MC_ENGINES(Login);

TEST(CreateAccountSet, RefusesBadInputWithItsMessageAndCreatesNothing)
{
    DataFolderFixture f;
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char* name;
        const char* description;
        const char* message;
    } cases[] = {
        {"", "新店", "必须录入帐套名称"},
        {"shop", "", "必须录入帐套描述"},
        {"test", "重复", "该帐套名称已经存在"},
    };
    for (const auto& c : cases) {
        const mc::Done o = createAccountSet(f.catalogue, mc::appPath, c.name, c.description, now);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.message, QString(c.message)) << c.name;
    }
    // Names that would leave the data folder or are no file names.
    for (const char* name : {"..", ".", "../escape", "a/b", "a\\b", " lead", "trail ", "a:b"}) {
        const mc::Done o = createAccountSet(f.catalogue, mc::appPath, name, "x", now);
        EXPECT_FALSE(o.ok) << name;
        EXPECT_TRUE(o.message.startsWith("帐套名称不能包含")) << name;
    }
    EXPECT_EQ(scalar(f.catalogue, "select count(*) from sjklj").toInt(), 1);
    EXPECT_FALSE(QFileInfo::exists(f.dir.path() + "/../escape"));
}

TEST(CreateAccountSet, RefusesAnExistingFileOrAMissingTemplate)
{
    DataFolderFixture f;
    const QDateTime now = QDateTime::currentDateTime();
    QDir(mc::appPath).mkpath("old");
    QFile stray(mc::appPath + "old/old.mdb");
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    EXPECT_EQ(createAccountSet(f.catalogue, mc::appPath, "old", "旧", now).message,
              QStringLiteral("该帐套名称的数据库已经存在"));
    QFile::remove(mc::templateFile(mc::appPath));
    EXPECT_EQ(createAccountSet(f.catalogue, mc::appPath, "new", "新", now).message,
              QStringLiteral("模板数据库不存在，无法创建新的帐套"));
    EXPECT_EQ(scalar(f.catalogue, "select count(*) from sjklj").toInt(), 1);
}

TEST(CreateAccountSet, CopiesTheTemplateAndListsTheSet)
{
    DataFolderFixture f;
    const QDateTime now(QDate(2026, 12, 11), QTime(10, 0, 0));
    const mc::Done o = createAccountSet(f.catalogue, mc::appPath, "O'Brien店", "奥布莱恩's 店", now);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    QSqlQuery q = exec(f.catalogue, "select memo, sjk, lastload, ztjlsj from sjklj where ztmc = ?", {"O'Brien店"});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "奥布莱恩's 店");
    EXPECT_EQ(q.value(1).toInt(), 0);
    EXPECT_FALSE(q.value(2).toBool());
    EXPECT_EQ(mc::db::toDateTime(q.value(3)), now);
    {
        QSqlDatabase set = mc::db::openSqlite("new-set", mc::accountSetFile(mc::appPath, "O'Brien店"));
        EXPECT_EQ(scalar(set, "select count(*) from gsyg where ygid = '735146'").toInt(), 1);
        EXPECT_EQ(scalar(set, "select count(*) from xssp").toInt(), 0);  // a template copy, not the demo
    }
    mc::db::closeConnection("new-set");

    deleteAccountSet(f.catalogue, "O'Brien店");
    EXPECT_EQ(scalar(f.catalogue, "select count(*) from sjklj where ztmc = ?", {"O'Brien店"}).toInt(), 0);
    EXPECT_TRUE(QFileInfo::exists(mc::accountSetFile(mc::appPath, "O'Brien店")));
}
