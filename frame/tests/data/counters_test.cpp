// Balances and counters changed by several workstations at once lose nothing.

#include "counters.h"
#include "database.h"
#include "run_together.h"
#include "scratch_database.h"
#include "transaction.h"


using mc::db::exec;
using mc::db::scalar;
using mctest::EngineTest;

class Counters : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        if (!scratch)
            return;
        exec(db(), "insert into gszh(zhname, curye) values(?, ?)", {"现金", 100.0});
    }
    double balance() { return scalar(db(), "select curye from gszh where zhname = '现金'").toDouble(); }
};

TEST_P(Counters, LedgerRowCarriesTheNewBalanceAndAWholeCredit)
{
    const struct {
        double received, paidOut, credited;
        double balanceAfter;
        int storedCredit;
    } cases[] = {
        {50.0, 0.0, 12.5, 150.0, 12},  // halves go to the even neighbour
        {0.0, 30.0, 13.5, 120.0, 14},
        {10.0, 0.0, 2.4, 130.0, 2},
    };
    for (const auto& c : cases) {
        mc::db::LedgerEntry e;
        e.actorId = "01";
        e.account = "现金";
        e.item = "会员存款";
        e.when = QDateTime::currentDateTime();
        e.received = mc::Money::fromDouble(c.received);
        e.paidOut = mc::Money::fromDouble(c.paidOut);
        e.credited = mc::Money::fromDouble(c.credited);
        mc::db::Transaction t(db());
        EXPECT_DOUBLE_EQ(mc::db::appendLedgerRow(db(), e).toDouble(), c.balanceAfter);
        t.commit();
        QSqlQuery q = exec(db(), "select zhye, crje, isjz from actormoney order by pid desc");
        ASSERT_TRUE(q.next());
        EXPECT_DOUBLE_EQ(q.value(0).toDouble(), c.balanceAfter);
        EXPECT_EQ(q.value(1).toInt(), c.storedCredit);
        EXPECT_FALSE(q.value(2).toBool());
    }
    EXPECT_DOUBLE_EQ(balance(), 130.0);
}

TEST_P(Counters, AnUnknownAccountIsAnErrorAndChangesNothing)
{
    mc::db::LedgerEntry e;
    e.account = "没有的帐户";
    e.received = mc::Money::fromDouble(5);
    {
        mc::db::Transaction t(db());
        EXPECT_THROW(mc::db::appendLedgerRow(db(), e), mc::db::DbError);
    }
    EXPECT_EQ(scalar(db(), "select count(*) from actormoney").toInt(), 0);
    EXPECT_DOUBLE_EQ(balance(), 100.0);
}

TEST_P(Counters, ConcurrentAdditionsAreAllKept)
{
    constexpr int perThread = 60;
    auto work = [&](int i) {
        const QString name = QStringLiteral("adder%1").arg(i);
        {
            QSqlDatabase conn = scratch->connect(name);
            for (int n = 0; n < perThread; ++n) {
                mc::db::Transaction t(conn);
                mc::db::addTo(conn, "gszh", "curye", 1.0, "zhname", "现金");
                t.commit();
            }
        }
        mc::db::closeConnection(name);
    };
    mctest::runTogether(work);
    EXPECT_DOUBLE_EQ(balance(), 100.0 + 2 * perThread);
}

TEST_P(Counters, AMoneyColumnKeepsTheExactDecimal)
{
    exec(db(), "update gszh set curye = 0.1");
    mc::db::Transaction t(db());
    // As doubles 0.1 + 0.2 is 0.30000000000000004; the column must hold the amount 0.30.
    const mc::Money sum = mc::db::addTo(db(), "gszh", "curye", mc::Money::fromDouble(0.2), "zhname", "现金");
    t.commit();
    EXPECT_EQ(sum, mc::Money::fromUnits(3000));
    EXPECT_EQ(balance(), 0.3);
    for (int i = 0; i < 7; ++i)
        mc::db::addTo(db(), "gszh", "curye", mc::Money::fromDouble(0.1), "zhname", "现金");
    EXPECT_EQ(balance(), 1.0);
    EXPECT_THROW(mc::db::addTo(db(), "gszh", "curye", mc::Money::fromDouble(1), "zhname", "没有"), mc::db::DbError);
}

TEST_P(Counters, NamesThatAreNotIdentifiersAreRefused)
{
    EXPECT_THROW(mc::db::addTo(db(), "gszh", "curye = 0; --", 1.0, "zhname", "现金"), mc::db::DbError);
    EXPECT_DOUBLE_EQ(balance(), 100.0);
}

TEST_P(Counters, TwoWorkstationsStartingTogetherOpenOneShift)
{
    QSqlDatabase second = scratch->connect("second");
    const QDateTime now = QDateTime::currentDateTime();
    EXPECT_TRUE(mc::db::openShiftIfNone(db(), "01", "张三", now));
    EXPECT_FALSE(mc::db::openShiftIfNone(second, "02", "李四", now));
    EXPECT_EQ(scalar(db(), "select count(*) from actorjs where isjs = false").toInt(), 1);
    second = QSqlDatabase();
    mc::db::closeConnection("second");

    // Racing threads leave exactly one open row as well.
    exec(db(), "update actorjs set isjs = true");
    auto work = [&](int i) {
        const QString name = QStringLiteral("shift%1").arg(i);
        {
            QSqlDatabase conn = scratch->connect(name);
            mc::db::openShiftIfNone(conn, QString::number(i), "x", now);
        }
        mc::db::closeConnection(name);
    };
    mctest::runTogether(work);
    EXPECT_EQ(scalar(db(), "select count(*) from actorjs where isjs = false").toInt(), 1);
}

MC_ENGINES(Counters);
