// Goods classes, goods and stock movements against real databases on both engines.

#include "database.h"
#include "globals.h"
#include "goods.h"
#include "run_together.h"
#include "scratch_database.h"
#include "stock.h"

using mc::db::exec;
using mc::db::scalar;
using namespace mc::sales;
using mctest::EngineTest;

namespace {

class Catalogue : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), ('002', '洗车', ?)",
             {false, true});
    }
    // Who saves, and when: the rows stamp these, never the process's globals.
    const mc::Session session{"00000001", "张三", "", "", "", QDateTime(QDate(2026, 3, 1), QTime(9, 30))};

    Goods item(const QString& spno, const QString& spclass = "001", double kcsl = 0, double jhdj = 0)
    {
        Goods g;
        g.spclass = spclass;
        g.spno = spno;
        g.spname = "商品" + spno;
        g.xsjg = mc::Money::fromDouble(10);
        g.jhdj = mc::Money::fromDouble(jhdj);
        g.kcsl = kcsl;
        g.zdzk = 8;
        return g;
    }
    // Goods with stock and average straight into the table, as earlier movements left them.
    void stocked(const QString& spno, double kcsl, double pjjhdj, const QString& spclass = "001")
    {
        exec(db(), "insert into xssp(spclass, spno, spname, kcsl, pjjhdj, jhdj) values(?, ?, ?, ?, ?, ?)",
             {spclass, spno, spno, kcsl, pjjhdj, pjjhdj});
        exec(db(), "insert into kccl(czsm, spno, jhsl, curkc) values('初始', ?, ?, ?)", {spno, kcsl, kcsl});
    }
    int movements(const QString& spno, const QString& czsm = {})
    {
        if (czsm.isEmpty())
            return scalar(db(), "select count(*) from kccl where spno = ?", {spno}).toInt();
        return scalar(db(), "select count(*) from kccl where spno = ? and czsm = ?", {spno, czsm}).toInt();
    }
    // The stock the movements add up to.
    double movedStock(const QString& spno)
    {
        return scalar(db(), "select sum(coalesce(jhsl, 0) - coalesce(thsl, 0) - coalesce(xssl, 0)) from kccl where spno = ?",
                      {spno})
            .toDouble();
    }
};

}  // namespace

TEST_P(Catalogue, GoodsClassCodesArePaddedAndUnique)
{
    GoodsClass c{0, "7", "日用品", false};
    ASSERT_TRUE(saveGoodsClass(db(), c).ok);
    EXPECT_EQ(c.classno, "007");
    EXPECT_EQ(findGoodsClass(db(), "007")->classname, "日用品");

    GoodsClass again{0, "7", "别的", false};
    EXPECT_EQ(saveGoodsClass(db(), again).message, "商品分类代码重复");

    // Editing the stored class is no duplicate.
    c.classname = "日用";
    c.isfwxsp = true;
    ASSERT_TRUE(saveGoodsClass(db(), c).ok);
    EXPECT_TRUE(findGoodsClass(db(), "007")->isfwxsp);
    EXPECT_EQ(nextGoodsClassCode(db()), "008");

    const struct {
        const char *code, *name, *message;
    } refused[] = {{"", "x", "商品分类代码必须录入"}, {"9", "", "商品分类名称必须录入"}, {"1234", "x", "商品分类代码不能超过3位"}};
    for (const auto& r : refused) {
        GoodsClass bad{0, r.code, r.name, false};
        EXPECT_EQ(saveGoodsClass(db(), bad).message, r.message) << r.code;
    }
    EXPECT_EQ(listGoodsClasses(db()).size(), 3);
}

TEST_P(Catalogue, GoodsChecksInOrder)
{
    Goods other = item("A1");
    ASSERT_TRUE(saveGoods(db(), session, other, GoodsSave::Close).ok);

    const struct {
        const char* what;
        std::function<void(Goods&)> change;
        const char* message;
    } cases[] = {
        {"class", [](Goods& g) { g.spclass.clear(); g.spno.clear(); }, "商品类别必须录入"},
        {"code", [](Goods& g) { g.spno.clear(); g.spname.clear(); }, "商品代码必须录入"},
        {"name", [](Goods& g) { g.spname.clear(); g.zdzk = 11; }, "商品名称必须录入"},
        {"lowest discount high", [](Goods& g) { g.zdzk = 10.5; }, "最低折扣必须在0-10之间"},
        {"lowest discount low", [](Goods& g) { g.zdzk = -1; }, "最低折扣必须在0-10之间"},
        {"commission", [](Goods& g) { g.ygtc = mc::Money::fromDouble(10.01); }, "员工提成不能大于销售价格"},
        {"fractional stock", [](Goods& g) { g.kcsl = 2.5; }, "库存数量必须为整数"},
        {"duplicate", [](Goods& g) { g.spno = "A1"; }, "商品代码重复"},
    };
    for (const auto& c : cases) {
        Goods g = item("B1");
        c.change(g);
        EXPECT_EQ(saveGoods(db(), session, g, GoodsSave::Close).message, c.message) << c.what;
    }
    // Commission 2 to 4 may exceed the price; only commission 1 is bounded.
    Goods g = item("B1");
    g.ygtc = mc::Money::fromDouble(10);
    g.ygtc2 = mc::Money::fromDouble(50);
    EXPECT_TRUE(saveGoods(db(), session, g, GoodsSave::Close).ok);

    // An existing item: unchanged is fine, another item's code is not.
    EXPECT_TRUE(saveGoods(db(), session, g, GoodsSave::Close).ok);
    g.spno = "A1";
    EXPECT_EQ(saveGoods(db(), session, g, GoodsSave::Close).message, "商品代码重复");
    EXPECT_EQ(nextGoodsCode(db()), "1");
    exec(db(), "insert into xssp(spclass, spno, spname) values('001', '001009', 'x'), ('001', '12a', 'y')");
    EXPECT_EQ(nextGoodsCode(db()), "1010");
}

TEST_P(Catalogue, StartingStockIsAMovement)
{
    const struct {
        const char* spno;
        const char* spclass;
        double kcsl;
        GoodsSave how;
        int movements;
        double pjjhdj;
    } cases[] = {
        {"S1", "001", 10, GoodsSave::Close, 1, 2.0},
        {"S2", "001", 10, GoodsSave::AddNext, 1, 2.0},  // the starting stock's cost, by either command
        {"S3", "001", 0, GoodsSave::Close, 0, 2.0},
        {"S4", "002", 10, GoodsSave::Close, 0, 2.0},  // service goods hold no stock
    };
    for (const auto& c : cases) {
        Goods g = item(c.spno, c.spclass, c.kcsl, 2.0);
        ASSERT_TRUE(saveGoods(db(), session, g, c.how).ok) << c.spno;
        EXPECT_EQ(movements(c.spno, "初始"), c.movements) << c.spno;
        EXPECT_DOUBLE_EQ(findGoods(db(), c.spno)->pjjhdj.toDouble(), c.pjjhdj) << c.spno;
    }
    // The next stock in averages over the starting stock at its purchase price.
    ASSERT_TRUE(receiveStock(db(), session, "S2", "10", "3").ok);
    EXPECT_DOUBLE_EQ(findGoods(db(), "S2")->pjjhdj.toDouble(), 2.5);

    QSqlQuery q = exec(db(), "select dj, jhsl, curkc, actor, spname from kccl where spno = 'S1'");
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 10.0);
    EXPECT_EQ(q.value(3).toString(), "00000001");
    EXPECT_EQ(q.value(4).toString(), "商品S1");

    // Editing an existing item never changes its stock, so it writes no movement.
    Goods s1 = *findGoods(db(), "S1");
    s1.kcsl = 99;
    s1.spname = "改名";
    ASSERT_TRUE(saveGoods(db(), session, s1, GoodsSave::Close).ok);
    EXPECT_DOUBLE_EQ(findGoods(db(), "S1")->kcsl, 10.0);
    EXPECT_EQ(movements("S1"), 1);
}

// The entry dialog holds the row as it was opened; stock received meanwhile moved the average,
// and 保存增加 of the edited item must not put the old one back.
TEST_P(Catalogue, EditingAnItemKeepsTheAverageOfStockReceivedMeanwhile)
{
    stocked("E1", 10, 2.0);
    Goods opened = *findGoods(db(), "E1");
    ASSERT_TRUE(receiveStock(db(), session, "E1", "10", "3").ok);
    opened.spname = "改名";
    ASSERT_TRUE(saveGoods(db(), session, opened, GoodsSave::AddNext).ok);
    const Goods g = *findGoods(db(), "E1");
    EXPECT_EQ(g.spname, "改名");
    EXPECT_DOUBLE_EQ(g.pjjhdj.toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(g.kcsl, 20.0);
}

TEST_P(Catalogue, SavingAnItemDeletedMeanwhileIsNoSuccess)
{
    stocked("D1", 1, 1.0);
    Goods opened = *findGoods(db(), "D1");
    exec(db(), "delete from xssp where spno = 'D1'");
    for (GoodsSave how : {GoodsSave::Close, GoodsSave::AddNext}) {
        const mc::Done o = saveGoods(db(), session, opened, how);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.message, "商品不存在");
    }
    EXPECT_FALSE(findGoods(db(), "D1"));
}

TEST_P(Catalogue, AFailedGoodsSaveLeavesNoMovement)
{
    Goods g = item("F1", "001", 5, 1.0);
    g.spname = QString(61, u'名');  // wider than xssp.spname, not than kccl.spname
    const mc::Done saved = saveGoods(db(), session, g, GoodsSave::Close);
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.message.startsWith("出现错误，无法保存\n")) << saved.message.toStdString();
    EXPECT_EQ(g.pid, 0);
    EXPECT_EQ(movements("F1"), 0);
    EXPECT_FALSE(findGoods(db(), "F1"));
}

TEST_P(Catalogue, PinyinOfTheNameFitsItsColumn)
{
    EXPECT_EQ(goodsPinyin("中文"), "ZHONGWEN");
    Goods g = item("P1");
    g.spname = QString(20, u'爽');  // 20 × SHUANG is longer than the column
    g.pyzjf = goodsPinyin(g.spname);
    EXPECT_EQ(g.pyzjf.size(), 50);
    EXPECT_TRUE(saveGoods(db(), session, g, GoodsSave::Close).ok);
}

TEST_P(Catalogue, StockInAndReturnAtMovingAverage)
{
    stocked("G1", 10, 2.0);
    mc::Done in = receiveStock(db(), session, "G1", "10", "3.00");
    EXPECT_TRUE(in.ok);
    EXPECT_EQ(in.message, "进货成功");
    Goods g = *findGoods(db(), "G1");
    EXPECT_DOUBLE_EQ(g.kcsl, 20.0);
    EXPECT_DOUBLE_EQ(g.pjjhdj.toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(g.jhdj.toDouble(), 3.0);
    QSqlQuery q = exec(db(), "select dj, jhsl, curkc, actor from kccl where spno = 'G1' and czsm = '进货'");
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 20.0);
    EXPECT_EQ(q.value(3).toString(), "00000001");

    const mc::Done back = returnStock(db(), session, "G1", "5", "4");
    EXPECT_EQ(back.message, "退货成功");
    g = *findGoods(db(), "G1");
    EXPECT_DOUBLE_EQ(g.kcsl, 15.0);
    EXPECT_DOUBLE_EQ(g.pjjhdj.toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(g.jhdj.toDouble(), 3.0);  // a return leaves the last purchase price
    q = exec(db(), "select thsl, curkc, dj from kccl where spno = 'G1' and czsm = '退货'");
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 15.0);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 4.0);

    // More than the stock is refused and changes nothing; exactly the stock empties it and
    // keeps the average, there being nothing left to average over.
    EXPECT_EQ(returnStock(db(), session, "G1", "16", "2").message, "商品退货数量不能大于库存数量");
    EXPECT_EQ(movements("G1"), 3);
    EXPECT_TRUE(returnStock(db(), session, "G1", "15", "1").ok);
    g = *findGoods(db(), "G1");
    EXPECT_DOUBLE_EQ(g.kcsl, 0.0);
    EXPECT_DOUBLE_EQ(g.pjjhdj.toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(movedStock("G1"), g.kcsl);

    // Receiving into a stock that sales took below 0 and back to 0 keeps the average too.
    exec(db(), "update xssp set kcsl = -4 where spno = 'G1'");
    EXPECT_TRUE(receiveStock(db(), session, "G1", "4", "9").ok);
    EXPECT_DOUBLE_EQ(findGoods(db(), "G1")->pjjhdj.toDouble(), 2.0);
}

TEST_P(Catalogue, StockEntryMessages)
{
    stocked("G1", 10, 2.0);
    stocked("W1", 0, 0, "002");
    const struct {
        bool in;
        const char *spno, *quantity, *price, *message;
    } cases[] = {
        {true, "G1", "", "1", "必须录入商品数量"},
        {true, "G1", "x", "1", "进货数量错误，无法保存"},
        {true, "G1", "2.5", "1", "进货数量错误，无法保存"},  // whole units only
        {false, "G1", "1.5", "1", "进货数量错误，无法保存"},
        {true, "G1", "1", "", "必须录入商品进货单价"},
        {true, "G1", "1", "1..", "进货单价错误，无法保存"},
        {false, "G1", "1", "y", "退货单价错误，无法保存"},
        {true, "W1", "1", "1", "服务类商品无法进货"},
        {false, "W1", "1", "1", "服务类商品无法进货"},
    };
    for (const auto& c : cases) {
        const mc::Done o = c.in ? receiveStock(db(), session, c.spno, c.quantity, c.price)
                               : returnStock(db(), session, c.spno, c.quantity, c.price);
        EXPECT_FALSE(o.ok) << c.quantity << " " << c.price;
        EXPECT_EQ(o.message, c.message) << c.quantity << " " << c.price;
    }
    EXPECT_EQ(movements("G1"), 1);
    EXPECT_EQ(movements("W1"), 1);
    EXPECT_DOUBLE_EQ(findGoods(db(), "G1")->kcsl, 10.0);
}

TEST_P(Catalogue, TwoWorkstationsReceivingAtOnceLoseNothing)
{
    stocked("G1", 0, 0);
    mctest::runTogether([this](int i) {
        const QString name = QStringLiteral("station%1").arg(i);
        {
            const QSqlDatabase own = scratch->connect(name);
            for (int n = 0; n < 10; ++n)
                EXPECT_TRUE(receiveStock(own, session, "G1", "1", "2").ok);
        }
        mc::db::closeConnection(name);
    });
    EXPECT_DOUBLE_EQ(findGoods(db(), "G1")->kcsl, 20.0);
    EXPECT_DOUBLE_EQ(movedStock("G1"), 20.0);
    EXPECT_DOUBLE_EQ(findGoods(db(), "G1")->pjjhdj.toDouble(), 2.0);
}

TEST_P(Catalogue, MovementsCarryTheSessionNotTheGlobals)
{
    mc::operatorCode = "99999999";
    Goods g = item("T1", "001", 5, 2.0);
    ASSERT_TRUE(saveGoods(db(), session, g, GoodsSave::Close).ok);
    mc::Session later = session;
    later.operatorCode = "00000002";
    later.now = session.now.addDays(1);
    ASSERT_TRUE(receiveStock(db(), later, "T1", "3", "2.5").ok);
    ASSERT_TRUE(returnStock(db(), later, "T1", "1", "2.5").ok);
    mc::operatorCode.clear();
    const struct {
        const char* czsm;
        const mc::Session* by;
    } cases[] = {{"初始", &session}, {"进货", &later}, {"退货", &later}};
    for (const auto& c : cases) {
        QSqlQuery q = exec(db(), "select actor, jthdate from kccl where spno = 'T1' and czsm = ?", {c.czsm});
        ASSERT_TRUE(q.next()) << c.czsm;
        EXPECT_EQ(q.value(0).toString(), c.by->operatorCode) << c.czsm;
        EXPECT_EQ(q.value(1).toDateTime(), c.by->now) << c.czsm;
    }
}

TEST_P(Catalogue, TheMovingAverageIsKeptToTheTenThousandth)
{
    stocked("M1", 1, 1.0);
    ASSERT_TRUE(receiveStock(db(), session, "M1", "2", "1.01").ok);  // 3.02 / 3
    const double stored = scalar(db(), "select pjjhdj from xssp where spno = 'M1'").toDouble();
    EXPECT_EQ(mc::Money::fromDouble(stored).units(), 10067);
    EXPECT_EQ(stored, mc::Money::fromUnits(10067).toDouble());
}

MC_ENGINES(Catalogue);
