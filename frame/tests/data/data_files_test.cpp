// First start: the catalogue, the template with its built-in rows, the demonstration set.

#include "data_files.h"
#include "database.h"
#include "password_hash.h"
#include "qt_print.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using mc::db::exec;
using mc::db::scalar;

class DataFolder : public testing::Test {
protected:
    QTemporaryDir dir;
    QString app() const { return dir.path() + "/"; }
    void TearDown() override { mc::db::closeConnection("check"); }
};

TEST_F(DataFolder, FirstStartCreatesTheThreeFilesOnceAndListsTheDemoSet)
{
    const QStringList created = mc::populateDataFolder(app());
    EXPECT_EQ(created, QStringList({app() + "modal/modal.cdd", app() + "dbconnect.cdd", app() + "test/test.mdb"}));
    EXPECT_TRUE(mc::populateDataFolder(app()).isEmpty());

    QSqlDatabase cat = mc::db::openSqlite("check", mc::catalogueFile(app()));
    QSqlQuery q = exec(cat, "select ztmc, memo, sjk, lastload from sjklj");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "test");
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("测试帐套"));
    EXPECT_EQ(q.value(2).toInt(), 0);
    EXPECT_TRUE(q.value(3).toBool());
    EXPECT_FALSE(q.next());
}

TEST_F(DataFolder, ADeletedDemoSetStaysDeleted)
{
    mc::populateDataFolder(app());
    {
        QSqlDatabase cat = mc::db::openSqlite("check", mc::catalogueFile(app()));
        exec(cat, "delete from sjklj where ztmc = ?", {mc::demoSetName});
    }
    mc::db::closeConnection("check");
    // Deleting in 帐套管理 leaves the folder on disk; remove it too, as a tidy shop would.
    QDir(app() + "test").removeRecursively();

    EXPECT_TRUE(mc::populateDataFolder(app()).isEmpty());
    QSqlDatabase cat = mc::db::openSqlite("check", mc::catalogueFile(app()));
    EXPECT_EQ(scalar(cat, "select count(*) from sjklj").toInt(), 0);
    EXPECT_FALSE(QFileInfo::exists(mc::accountSetFile(app(), mc::demoSetName)));
}

TEST_F(DataFolder, AMissingTemplateIsRebuiltWithoutTouchingTheCatalogue)
{
    mc::populateDataFolder(app());
    QFile::remove(mc::templateFile(app()));
    EXPECT_EQ(mc::populateDataFolder(app()), QStringList({mc::templateFile(app())}));
    QSqlDatabase cat = mc::db::openSqlite("check", mc::catalogueFile(app()));
    EXPECT_EQ(scalar(cat, "select count(*) from sjklj").toInt(), 1);
}

TEST_F(DataFolder, TemplateHoldsTheBuiltInRows)
{
    mc::buildTemplate(app() + "modal.cdd");
    QSqlDatabase db = mc::db::openSqlite("check", app() + "modal.cdd");

    QSqlQuery admin = exec(db, "select yglb, pwd from gsyg where ygid = '735146'");
    ASSERT_TRUE(admin.next());
    EXPECT_EQ(admin.value(0).toString(), QStringLiteral("管理员"));
    EXPECT_TRUE(mc::verifyPassword(mc::initialAdminPassword, admin.value(1).toString()));
    EXPECT_NE(admin.value(1).toString(), mc::initialAdminPassword);
    EXPECT_EQ(scalar(db, "select count(*) from ygclass where yglb = '管理员'").toInt(), 1);

    EXPECT_EQ(scalar(db, "select curye from gszh where zhname = '现金'").toDouble(), 0.0);
    EXPECT_EQ(scalar(db, "select zkbl from cardclass where cardno = '0000'").toDouble(), 10.0);
    QSqlQuery cash = exec(db, "select truecard, cardno, cardstatus from membercurlist "
                              "where memberno = '0000' and dqdate = lastnfdate");
    ASSERT_TRUE(cash.next());
    EXPECT_EQ(cash.value(0).toString(), "0000");
    EXPECT_EQ(cash.value(1).toString(), "0000");
    EXPECT_EQ(cash.value(2).toString(), QStringLiteral("正常"));

    QSqlQuery set = exec(db, "select memberws, ygws, xfdyxp, dyys, jeblxs, gzqsr, dwname from sysset");
    ASSERT_TRUE(set.next());
    EXPECT_EQ(set.value(0).toInt(), 8);
    EXPECT_EQ(set.value(1).toInt(), 8);
    EXPECT_TRUE(set.value(2).toBool());
    EXPECT_EQ(set.value(3).toInt(), 1);
    EXPECT_EQ(set.value(4).toInt(), 1);
    EXPECT_EQ(set.value(5).toInt(), 1);
    EXPECT_EQ(set.value(6).toString(), "");
    EXPECT_FALSE(set.next());
    EXPECT_EQ(scalar(db, "select count(*) from xfjf").toInt(), 1);
    // Nothing that would need journals to agree with it.
    EXPECT_EQ(scalar(db, "select count(*) from memberxx").toInt(), 0);
    EXPECT_EQ(scalar(db, "select count(*) from actormoney").toInt(), 0);
}

TEST_F(DataFolder, DemoSetHasEveryCardKindAndConsistentStock)
{
    mc::populateDataFolder(app());
    QSqlDatabase db = mc::db::openSqlite("check", mc::accountSetFile(app(), "test"));
    for (const char* kind : {"计次卡", "储值卡", "折扣卡"})
        EXPECT_GE(scalar(db, "select count(*) from cardclass where cardno <> '0000' and classname = ?",
                         {QString::fromUtf8(kind)}).toInt(), 1) << kind;
    EXPECT_GE(scalar(db, "select count(*) from gszh").toInt(), 2);
    EXPECT_GE(scalar(db, "select count(*) from gsyg where ygid <> '735146'").toInt(), 1);
    // Stock movements add up to the stock of every goods.
    EXPECT_EQ(scalar(db, "select count(*) from xssp where kcsl <> (select coalesce(sum(jhsl - thsl - xssl), 0) "
                         "from kccl where kccl.spno = xssp.spno)").toInt(), 0);
    // Members and money come only through the services.
    EXPECT_EQ(scalar(db, "select count(*) from membercurlist where memberno <> '0000'").toInt(), 0);
    EXPECT_EQ(scalar(db, "select sum(curye) from gszh").toDouble(), 0.0);
}

TEST_F(DataFolder, AnUnwritableProgramFolderSendsDataToTheUsersFolder)
{
    EXPECT_EQ(mc::chooseAppPath(dir.path()), app());
    const QString chosen = mc::chooseAppPath("/proc");
    EXPECT_NE(chosen, "/proc/");
    EXPECT_TRUE(chosen.endsWith('/'));
}
