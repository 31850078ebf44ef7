// Several-table work is all or nothing, and the operation log never spoils it.

#include "database.h"
#include "globals.h"
#include "scratch_database.h"
#include "services.h"
#include "transaction.h"

using mc::db::DbError;
using mc::db::exec;
using mc::db::scalar;
using mc::db::Transaction;
using mctest::EngineTest;
class Transactions : public EngineTest {};

namespace {

int count(const QSqlDatabase& db, const QString& table)
{
    return scalar(db, "select count(*) from " + table).toInt();
}

}  // namespace

TEST_P(Transactions, AFailureInTheLastStepLeavesNothingBehind)
{
    try {
        Transaction t(db());
        exec(db(), "insert into gszh(zhname, curye) values(?, ?)", {"银行", 10.0});
        exec(db(), "insert into actormoney(actorid, zhname, skje) values(?, ?, ?)", {"01", "银行", 10.0});
        exec(db(), "insert into czrz(cznr) values(?)", {"x"});
        // The last step breaks: a text wider than its column.
        exec(db(), "insert into memberxx(memberno) values(?)", {QString(21, u'9')});
        t.commit();
        FAIL() << "the last step should have failed";
    } catch (const DbError&) {
    }
    EXPECT_EQ(count(db(), "gszh"), 0);
    EXPECT_EQ(count(db(), "actormoney"), 0);
    EXPECT_EQ(count(db(), "czrz"), 0);
    // The connection is usable afterwards.
    exec(db(), "insert into gszh(zhname) values(?)", {"银行"});
    EXPECT_EQ(count(db(), "gszh"), 1);
}

TEST_P(Transactions, AFailedOperationLogWriteKeepsTheCallersTransaction)
{
    exec(db(), "drop table czrz");
    {
        Transaction t(db());
        exec(db(), "insert into gszh(zhname) values(?)", {"a"});
        mc::czgc(db(), "会员注册");  // fails: no czrz table
        exec(db(), "insert into gszh(zhname) values(?)", {"b"});
        t.commit();
    }
    EXPECT_EQ(count(db(), "gszh"), 2);
}

TEST_P(Transactions, OperationLogRecordsTheOperator)
{
    mc::operatorCode = "00000001";
    mc::operatorName = "张三";
    mc::czgc(db(), "00001李四会员注册");
    QSqlQuery q = exec(db(), "select czyno, czy, cznr, pdate from czrz");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "00000001");
    EXPECT_EQ(q.value(1).toString(), "张三");
    EXPECT_EQ(q.value(2).toString(), "00001李四会员注册");
    EXPECT_TRUE(mc::db::toDateTime(q.value(3)).isValid());
    mc::operatorCode.clear();
    mc::operatorName.clear();
}

TEST_P(Transactions, OperationLogRecordsTheSessionItIsGiven)
{
    mc::operatorCode = "00000001";  // the process's operator is not the one acting
    const mc::Session session{"00000007", "王五", "收银员", "10.0.0.7", "", QDateTime(QDate(2026, 12, 11), QTime(9, 30, 5))};
    mc::czgc(db(), session, "00001李四会员注册");
    QSqlQuery q = exec(db(), "select czyno, czy, czip, pdate from czrz");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "00000007");
    EXPECT_EQ(q.value(1).toString(), "王五");
    EXPECT_EQ(q.value(2).toString(), "10.0.0.7");
    EXPECT_EQ(mc::db::toDateTime(q.value(3)), session.now);
    mc::operatorCode.clear();
}

TEST(OperationLog, AnUnreachableDatabaseDoesNotInterruptTheCaller)
{
    EXPECT_NO_THROW(mc::czgc(QSqlDatabase(), "x"));
    EXPECT_NO_THROW(mc::czgc("x"));  // no account set connected at all
}

TEST_P(Transactions, AnInnerGuardIsASavepoint)
{
    Transaction outer(db());
    exec(db(), "insert into gszh(zhname) values(?)", {"kept"});
    {
        Transaction inner(db());
        exec(db(), "insert into gszh(zhname) values(?)", {"dropped"});
        EXPECT_THROW(exec(db(), "insert into gszh(zhname) values(?)", {"dropped"}), DbError);
    }
    outer.commit();
    EXPECT_EQ(scalar(db(), "select count(*) from gszh where zhname = 'kept'").toInt(), 1);
    EXPECT_EQ(scalar(db(), "select count(*) from gszh where zhname = 'dropped'").toInt(), 0);
}

TEST_P(Transactions, DateTimesAreStoredInTheCanonicalForm)
{
    const QDateTime when(QDate(2026, 12, 9), QTime(8, 5, 7, 450));
    exec(db(), "insert into membercurlist(memberno, truecard, dqdate, lastnfdate) values(?, ?, ?, ?)",
         {"1", "1", when, when.addMSecs(100)});
    // Milliseconds are not kept, so a never-expiring card compares equal.
    EXPECT_EQ(scalar(db(), "select count(*) from membercurlist where dqdate = lastnfdate").toInt(), 1);
    const QVariant stored = scalar(db(), "select dqdate from membercurlist");
    EXPECT_EQ(mc::db::toDateTime(stored), QDateTime(QDate(2026, 12, 9), QTime(8, 5, 7)));
    if (GetParam() == mctest::Engine::Sqlite) {
        EXPECT_EQ(stored.toString(), "2026-12-09 08:05:07");
    }
}

TEST(Database, AMissingFileIsAnErrorAndIsNotCreated)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("none/none.mdb");
    EXPECT_THROW(mc::db::openSqlite("missing", file), DbError);
    EXPECT_FALSE(QFileInfo::exists(file));
    mc::db::closeConnection("missing");
}

TEST(Database, SaveMessageCarriesTextAndNumber)
{
    const DbError e("UNIQUE constraint failed", "2067");
    EXPECT_EQ(e.saveMessage(), QStringLiteral("出现错误，无法保存\nUNIQUE constraint failed\n错误:2067"));
}

MC_ENGINES(Transactions);
