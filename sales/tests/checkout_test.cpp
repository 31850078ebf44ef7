// The consumption checkout against real databases on both engines: the main paths, every
// refusal with nothing changed, stock, accounts, points, the upgrade, the IC card write and two
// workstations selling at once.

#include "books_check.h"
#include "checkout.h"
#include "checkout_receipt.h"
#include "database.h"
#include "run_together.h"
#include "scratch_database.h"
#include "settings_cache.h"
#include "utils/password.h"

using mc::Money;
using mc::db::exec;
using mc::db::scalar;
using namespace mc::sales;
using mctest::EngineTest;

namespace {

CheckoutLine item(const QString& spno, int spnum)
{
    CheckoutLine l;
    l.spno = spno;
    l.spnum = spnum;
    return l;
}

Money yuan(const char* text)
{
    return *Money::parse(QString::fromLatin1(text));
}

// Everything a checkout may write, so a refusal can be shown to change nothing.
QStringList snapshot(const QSqlDatabase& db)
{
    QStringList out;
    for (const char* sql : {
             "select count(*) from memberxx", "select count(*) from xfsp", "select count(*) from kccl",
             "select count(*) from memberjf", "select count(*) from actormoney", "select count(*) from sjjl",
             "select count(*) from ysydjno", "select sum(kcsl) from xssp", "select sum(curye) from gszh",
             "select sum(curmoney) from membercurlist", "select sum(xfjf) from membercurlist",
             "select sum(xfze) from membercurlist", "select sum(xfcs) from membercurlist",
             "select sum(syyhje) from membercurlist", "select min(cardno) || max(cardno) from membercurlist"})
        out << scalar(db, QString::fromLatin1(sql)).toString();
    return out;
}

class Checkout : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        mc::settings = mc::SettingsCache{};
        mc::settings.jeblxs = 2;
        session = {"00000001", "收银员", "管理员", {}, {}, QDateTime(QDate(2026, 12, 11), QTime(10, 0))};
        exec(db(), "insert into sysset(memberws, jeblxs, jdms) values(8, 2, ?)", {false});
        exec(db(), "insert into xfjf(jfzt, jffs, mxfje, ksjfje) values(?, '消费时积分', 10, 0)", {true});
        const QString classSql = "insert into cardclass(cardno, cardname, classname, zkbl, zkxffs) values(?, ?, ?, ?, ?)";
        exec(db(), classSql, {"0000", "散客", "折扣卡", 10.0, 1});
        exec(db(), classSql, {"0001", "金卡", "储值卡", 9.0, 1});
        exec(db(), classSql, {"0002", "银卡", "折扣卡", 9.5, 3});
        exec(db(), classSql, {"0003", "十次卡", "计次卡", 10.0, 1});
        exec(db(), classSql, {"0005", "原价卡", "储值卡", 10.0, 1});
        exec(db(), classSql, {"0006", "钻石卡", "储值卡", 8.0, 1});
        exec(db(), "insert into gszh(zhname, curye) values('现金', 0), ('银行', 0)");
        member("0000", "0000", 0);
        member("M1", "0001", 100);
        member("M2", "0002", 0);
        member("M3", "0003", 0);
        member("M5", "0005", 50);
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), ('002', '洗车', ?)",
             {false, true});
        goods("A1", "001", 50, 10);
        goods("A2", "001", 50, 1);
        goods("S1", "002", 20, 0);
        exec(db(), "insert into gsyg(ygid, ygname, dep_id) values('01', '李四', '01')");
    }
    void TearDown() override
    {
        // Whatever a test did, the balances, points, credit, accounts and stock agree with
        // their journals.
        if (scratch) {
            const mc::books::BooksReport books = mc::books::checkBooks(db());
            EXPECT_TRUE(books.balanced()) << books.broken.join(u'\n').toStdString();
        }
        mc::settings = mc::SettingsCache{};
    }

    void member(const QString& no, const QString& cardno, double curmoney)
    {
        const QDateTime start(QDate(2026, 1, 1), QTime(0, 0));
        exec(db(),
             "insert into membercurlist(memberno, truecard, membername, cardno, cardstatus, khdate, dqdate, "
             "lastnfdate, curmoney, xfjf, xfze, xfcs, syyhje) values(?, ?, ?, ?, '正常', ?, ?, ?, ?, 0, 0, 0, 0)",
             {no, "C" + no, "会员" + no, cardno, start, start.addYears(1), start, curmoney});
        if (no == "0000")
            exec(db(), "update membercurlist set truecard = '0000', dqdate = lastnfdate where memberno = '0000'");
        deposit(no, curmoney, false);
    }
    // Money on a card as registration puts it there: the balance and its journal row.
    void deposit(const QString& no, double amount, bool addToBalance = true)
    {
        if (addToBalance)
            exec(db(), "update membercurlist set curmoney = curmoney + ? where memberno = ?", {amount, no});
        exec(db(),
             "insert into memberxx(memberid, memberno, zmfs, jkfs, ckje, issk, iszf) "
             "select pid, memberno, '开户', '现金', ?, ?, ? from membercurlist where memberno = ?",
             {amount, true, false, no});
    }
    // Stock as receiving puts it there: the quantity and its movement.
    void restock(const QString& spno, double quantity)
    {
        exec(db(), "update xssp set kcsl = kcsl + ? where spno = ?", {quantity, spno});
        exec(db(), "insert into kccl(czsm, spno, jhsl, curkc) select '进货', spno, ?, kcsl from xssp where spno = ?",
             {quantity, spno});
    }
    void goods(const QString& spno, const QString& spclass, double xsjg, double kcsl)
    {
        exec(db(), "insert into xssp(spclass, spno, spname, xsjg, jhdj, kcsl) values(?, ?, ?, ?, 30, 0)",
             {spclass, spno, "商品" + spno, xsjg});
        if (kcsl != 0)
            restock(spno, kcsl);
    }
    QVariant value(const QString& sql, const QVariantList& params = {}) { return scalar(db(), sql, params); }
    double memberValue(const QString& column, const QString& no)
    {
        return value("select " + column + " from membercurlist where memberno = ?", {no}).toDouble();
    }
    static CheckoutInput sale(const QString& memberno, QList<CheckoutLine> lines)
    {
        CheckoutInput in;
        in.memberno = memberno;
        in.lines = std::move(lines);
        return in;
    }
    mc::Result<CheckoutDone> run(const CheckoutInput& in, const CardWriter& writer = {})
    {
        return checkout(db(), in, session, writer);
    }
    void simpleMode()
    {
        exec(db(), "update sysset set jdms = ?", {true});
        mc::settings.jdms = true;
    }

    mc::Session session;
};

}  // namespace

TEST_P(Checkout, StoredValueCardPaysFromTheBalance)
{
    const auto done = run(sale("M1", {item("A1", 1)}));
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.message, "消费完成");
    const CheckoutDone& d = done.value;
    EXPECT_EQ(d.xfdh, "xfd261211001");
    EXPECT_EQ(d.sjxfje, yuan("50"));
    EXPECT_EQ(d.zkhje, yuan("5"));
    EXPECT_EQ(d.xfje, yuan("45"));
    EXPECT_EQ(d.curmoney, yuan("55"));
    EXPECT_EQ(d.bcxfjf, 4);  // E(45) div 10
    EXPECT_EQ(d.xfjf, 4);
    EXPECT_FALSE(d.upgraded);

    EXPECT_DOUBLE_EQ(memberValue("curmoney", "M1"), 55);
    EXPECT_DOUBLE_EQ(memberValue("xfze", "M1"), 45);
    EXPECT_DOUBLE_EQ(memberValue("xfcs", "M1"), 1);
    EXPECT_DOUBLE_EQ(memberValue("xfjf", "M1"), 4);

    QSqlQuery v = exec(db(), "select zmfs, jkfs, xfje, curye, sjkye, sjxfje, zkhje, zkfs, issk, bcxfjf, actor "
                             "from memberxx where xfdh = ?", {d.xfdh});
    ASSERT_TRUE(v.next());
    EXPECT_EQ(v.value(0).toString(), "消费");
    EXPECT_EQ(v.value(1).toString(), "卡内扣除");
    EXPECT_DOUBLE_EQ(v.value(2).toDouble(), 45);
    EXPECT_DOUBLE_EQ(v.value(3).toDouble(), 55);
    EXPECT_DOUBLE_EQ(v.value(4).toDouble(), 100);
    EXPECT_DOUBLE_EQ(v.value(5).toDouble(), 50);
    EXPECT_DOUBLE_EQ(v.value(6).toDouble(), 5);
    EXPECT_EQ(v.value(7).toString(), "直接折扣");
    EXPECT_TRUE(v.value(8).toBool());
    EXPECT_EQ(v.value(9).toInt(), 4);
    EXPECT_EQ(v.value(10).toString(), "收银员");

    QSqlQuery line = exec(db(), "select spzj, spjsjg, cbdj, spnum, jsr, xfjf from xfsp where xfno = ?", {d.xfdh});
    ASSERT_TRUE(line.next());
    EXPECT_DOUBLE_EQ(line.value(0).toDouble(), 45);
    EXPECT_DOUBLE_EQ(line.value(1).toDouble(), 45);
    EXPECT_DOUBLE_EQ(line.value(2).toDouble(), 30);
    EXPECT_EQ(line.value(3).toInt(), 1);
    EXPECT_EQ(line.value(4).toString(), "00000001");
    EXPECT_EQ(line.value(5).toInt(), 4);

    QSqlQuery move = exec(db(), "select czsm, xssl, curkc, dj, cbdj, xfdh from kccl where spno = 'A1' and czsm = '销售'");
    ASSERT_TRUE(move.next());
    EXPECT_EQ(move.value(0).toString(), "销售");
    EXPECT_DOUBLE_EQ(move.value(1).toDouble(), 1);
    EXPECT_DOUBLE_EQ(move.value(2).toDouble(), 9);
    EXPECT_DOUBLE_EQ(move.value(3).toDouble(), 50);
    EXPECT_DOUBLE_EQ(move.value(4).toDouble(), 30);
    EXPECT_EQ(move.value(5).toString(), d.xfdh);
    EXPECT_DOUBLE_EQ(value("select kcsl from xssp where spno = 'A1'").toDouble(), 9);

    QSqlQuery points = exec(db(), "select jffs, hdjf, curjf, xfdh from memberjf where memberno = 'M1'");
    ASSERT_TRUE(points.next());
    EXPECT_EQ(points.value(0).toString(), "消费积分");
    EXPECT_EQ(points.value(1).toInt(), 4);
    EXPECT_EQ(points.value(2).toInt(), 4);
    EXPECT_EQ(points.value(3).toString(), d.xfdh);
    // A stored-value sale moves no company account.
    EXPECT_EQ(value("select count(*) from actormoney").toInt(), 0);

    // The next voucher of the day takes the next number.
    EXPECT_EQ(run(sale("M1", {item("A1", 1)})).value.xfdh, "xfd261211002");
}

TEST_P(Checkout, DiscountCardPaysToAnAccountAndEarnsCredit)
{
    CheckoutInput in = sale("M2", {item("A1", 2)});
    in.jkfs = "银行";
    const auto first = run(in);
    ASSERT_TRUE(first.ok) << first.message.toStdString();
    // Accumulating credit: the discount does not reduce this voucher, it becomes credit.
    EXPECT_EQ(first.value.sjxfje, yuan("100"));
    EXPECT_EQ(first.value.zkhje, yuan("5"));
    EXPECT_EQ(first.value.xfje, yuan("100"));
    EXPECT_EQ(first.value.syyhje, yuan("5"));
    EXPECT_DOUBLE_EQ(memberValue("syyhje", "M2"), 5);
    EXPECT_DOUBLE_EQ(value("select curye from gszh where zhname = '银行'").toDouble(), 100);

    QSqlQuery ledger = exec(db(), "select actorid, actorname, memberno, zhname, sfkxm, skje, ysje, zhye, isjz from actormoney");
    ASSERT_TRUE(ledger.next());
    EXPECT_EQ(ledger.value(0).toString(), "00000001");
    EXPECT_EQ(ledger.value(1).toString(), "收银员");
    EXPECT_EQ(ledger.value(2).toString(), "M2");
    EXPECT_EQ(ledger.value(3).toString(), "银行");
    EXPECT_EQ(ledger.value(4).toString(), "会员消费");
    EXPECT_DOUBLE_EQ(ledger.value(5).toDouble(), 100);
    EXPECT_DOUBLE_EQ(ledger.value(6).toDouble(), 100);
    EXPECT_DOUBLE_EQ(ledger.value(7).toDouble(), 100);
    EXPECT_FALSE(ledger.value(8).toBool());
    EXPECT_FALSE(ledger.next());

    // Using the credit: 5 off the amount due, and the discount of the rest becomes new credit.
    in.usecredit = true;
    const auto second = run(in);
    ASSERT_TRUE(second.ok) << second.message.toStdString();
    EXPECT_EQ(second.value.bcdkje, yuan("5"));
    EXPECT_EQ(second.value.zkhje, yuan("4.75"));
    EXPECT_EQ(second.value.xfje, yuan("95"));
    EXPECT_EQ(second.value.syyhje, yuan("4.75"));
    EXPECT_DOUBLE_EQ(memberValue("syyhje", "M2"), 4.75);
    EXPECT_DOUBLE_EQ(value("select curye from gszh where zhname = '银行'").toDouble(), 195);
}

TEST_P(Checkout, CashCustomerBuysAtItsClassAndEarnsNoLinePoints)
{
    CheckoutInput in;
    in.cash = true;
    in.lines = {item("A1", 1)};
    const auto done = run(in);
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.value.memberno, "0000");
    EXPECT_EQ(done.value.xfje, yuan("50"));
    EXPECT_EQ(done.value.bcxfjf, 0);
    EXPECT_EQ(value("select jkfs from memberxx where zmfs = '消费'").toString(), "现金");
    EXPECT_DOUBLE_EQ(value("select curye from gszh where zhname = '现金'").toDouble(), 50);
    // No points, no points row.
    EXPECT_EQ(value("select count(*) from memberjf").toInt(), 0);
}

TEST_P(Checkout, SimpleModeTakesTheTypedAmount)
{
    simpleMode();
    CheckoutInput in;
    in.memberno = "M1";
    in.sjxfje = yuan("40");
    in.otsk = yuan("2");
    in.otyh = yuan("1");
    const auto done = run(in);
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.value.zkhje, yuan("4"));
    EXPECT_EQ(done.value.xfje, yuan("37"));  // 40 − 4 + 2 − 1
    EXPECT_EQ(done.value.bcxfjf, 4);         // E(37 / 10)
    EXPECT_EQ(done.value.curmoney, yuan("63"));
    EXPECT_TRUE(done.value.simpleMode);
    EXPECT_EQ(value("select count(*) from xfsp").toInt(), 0);
    EXPECT_EQ(value("select count(*) from kccl where czsm = '销售'").toInt(), 0);
}

TEST_P(Checkout, EveryRefusalHasItsMessageAndChangesNothing)
{
    exec(db(), "update membercurlist set memberpwd = ? where memberno = 'M5'", {mc::encodepwd("123")});
    member("L1", "0001", 100);
    exec(db(), "update membercurlist set cardstatus = '挂失' where memberno = 'L1'");
    member("X1", "0001", 100);
    exec(db(), "update membercurlist set cardstatus = '注销' where memberno = 'X1'");
    member("E1", "0001", 100);
    exec(db(), "update membercurlist set dqdate = ? where memberno = 'E1'", {QDateTime(QDate(2026, 12, 10), QTime(0, 0))});

    const struct {
        const char* what;
        std::function<void(CheckoutInput&)> change;
        const char* message;
    } cases[] = {
        {"unknown card", [](CheckoutInput& in) { in.memberno.clear(); in.card = "NOPE"; }, "无法找到该卡号"},
        {"cancelled", [](CheckoutInput& in) { in.memberno = "X1"; }, "无法找到该卡号"},
        {"lost", [](CheckoutInput& in) { in.memberno = "L1"; }, "该卡已经被挂失，无法消费"},
        {"expired", [](CheckoutInput& in) { in.memberno = "E1"; }, "该卡已经过期，无法消费"},
        {"count card", [](CheckoutInput& in) { in.memberno = "M3"; }, "该卡是计次卡，请使用计次消费"},
        {"typed price", [](CheckoutInput& in) { in.lines[0].spdj = Money(); }, "不允许修改商品价格"},
        {"typed rate", [](CheckoutInput& in) { in.lines[0].spzkl = 8; }, "不允许修改商品折扣率"},
        {"typed voucher rate", [](CheckoutInput& in) { in.sjzkl = 8; }, "不允许修改会员折扣率"},
        {"quantity", [](CheckoutInput& in) { in.lines[0].spnum = 0; }, "商品A1的数量必须大于0"},
        {"amount in detailed mode", [](CheckoutInput& in) { in.sjxfje = yuan("5"); }, "消费金额由消费商品计算，不能直接录入"},
        {"negative reduction", [](CheckoutInput& in) { in.otyh = -yuan("1"); }, "金额不能小于0"},
        {"no goods", [](CheckoutInput& in) { in.lines.clear(); }, "必须录入消费商品"},
        {"no account", [](CheckoutInput& in) { in.memberno = "M2"; in.jkfs = ""; }, "必须选择缴款方式"},
        {"stored value to an account", [](CheckoutInput& in) { in.jkfs = "银行"; }, "储值卡消费只能卡内扣除"},
        {"unknown goods", [](CheckoutInput& in) { in.lines[0].spno = "ZZ"; }, "找不到商品ZZ的信息"},
        {"unknown staff", [](CheckoutInput& in) { in.ygid = "99"; }, "找不到员工99"},
        {"balance", [](CheckoutInput& in) { in.memberno = "M5"; in.password = "123"; in.lines[0].spnum = 2; },
         "当前余额不足，无法消费"},
        {"password", [](CheckoutInput& in) { in.memberno = "M5"; in.password = "12"; }, "密码录入错误,无法消费"},
        {"missing account", [](CheckoutInput& in) { in.memberno = "M2"; in.jkfs = "不存在"; }, "缴款帐户不存在"},
        {"stock", [](CheckoutInput& in) { in.lines[0] = item("A2", 2); }, "商品商品A2的库存数量不足"},
        {"no card read", [](CheckoutInput& in) { in.cardMode = 2; }, "没有读到会员卡，消费没有保存"},
        {"other card", [](CheckoutInput& in) { in.cardMode = 2; in.icCard = CardRead{"CM5", yuan("100")}; },
         "目前放置的卡片不是现在该记录对应的卡号,请重新放置"},
        {"card balance", [](CheckoutInput& in) { in.cardMode = 2; in.icCard = CardRead{"CM1", yuan("44.99")}; },
         "当前卡内余额不足，无法消费"},
    };
    const QStringList before = snapshot(db());
    for (const auto& c : cases) {
        CheckoutInput in = sale("M1", {item("A1", 1)});
        c.change(in);
        const auto result = run(in, [](const CardWrite&) { return mc::Done::success(); });
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.message, QString::fromUtf8(c.message)) << c.what;
        EXPECT_EQ(snapshot(db()), before) << c.what;
    }
}

TEST_P(Checkout, StaffAndServiceTypeRequiredBySettings)
{
    mc::settings.xfsuseyg = true;
    EXPECT_EQ(run(sale("M1", {item("A1", 1)})).message, "消费商品必须选择服务员");
    CheckoutInput withStaff = sale("M1", {item("A1", 1)});
    withStaff.ygid = "01";  // the voucher's staff goes onto its lines
    mc::settings.xfbxxzclass = true;
    EXPECT_EQ(run(withStaff).message, "消费商品必须选择服务类型");
    withStaff.lines[0].fwclass = "美发";
    withStaff.lines[0].yggz = yuan("3");
    const auto done = run(withStaff);
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    QSqlQuery line = exec(db(), "select ygid, ygname, dep_id, fwclass, ygtc from xfsp");
    ASSERT_TRUE(line.next());
    EXPECT_EQ(line.value(0).toString(), "01");
    EXPECT_EQ(line.value(1).toString(), "李四");
    EXPECT_EQ(line.value(2).toString(), "01");
    EXPECT_EQ(line.value(3).toString(), "美发");
    EXPECT_DOUBLE_EQ(line.value(4).toDouble(), 3);
    EXPECT_EQ(value("select ygname from memberxx where zmfs = '消费'").toString(), "李四");

    simpleMode();
    CheckoutInput simple;
    simple.memberno = "M1";
    simple.sjxfje = yuan("10");
    EXPECT_EQ(run(simple).message, "必须选择服务员");
    simple.sjxfje = Money();
    simple.ygid = "01";
    EXPECT_EQ(run(simple).message, "必须录入消费金额");
}

TEST_P(Checkout, TypedCellsFollowTheSettings)
{
    mc::settings.xxxgspjg = true;
    mc::settings.yxxgzk = true;
    CheckoutLine line = item("A1", 1);
    line.spdj = yuan("60");
    line.spzkl = 5;
    const auto done = run(sale("M1", {line}));
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.value.xfje, yuan("30"));
    // A credit mode never takes a typed line rate.
    EXPECT_EQ(run(sale("M2", {line})).message, "不允许修改商品折扣率");
}

TEST_P(Checkout, BalanceToTheLastCent)
{
    mc::settings.xxxgspjg = true;
    CheckoutLine line = item("A1", 1);
    line.spdj = yuan("50.01");
    EXPECT_EQ(run(sale("M5", {line})).message, "当前余额不足，无法消费");
    line.spdj = yuan("50");
    const auto done = run(sale("M5", {line}));
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.value.curmoney, Money());
    EXPECT_DOUBLE_EQ(memberValue("curmoney", "M5"), 0);
}

TEST_P(Checkout, StockRunsOutOnlyWhenTheSettingAllowsIt)
{
    deposit("M1", 400);
    const QStringList before = snapshot(db());
    EXPECT_EQ(run(sale("M1", {item("A1", 1), item("A2", 2)})).message, "商品商品A2的库存数量不足");
    // The first line's stock came back with the rollback.
    EXPECT_EQ(snapshot(db()), before);

    mc::settings.kcwlxf = true;
    ASSERT_TRUE(run(sale("M1", {item("A2", 2)})).ok);
    EXPECT_DOUBLE_EQ(value("select kcsl from xssp where spno = 'A2'").toDouble(), -1);
    EXPECT_DOUBLE_EQ(value("select curkc from kccl where spno = 'A2' and czsm = '销售'").toDouble(), -1);
}

TEST_P(Checkout, ServiceGoodsTakeNoStock)
{
    const auto done = run(sale("M1", {item("S1", 2)}));
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(value("select count(*) from kccl where czsm = '销售'").toInt(), 0);
    EXPECT_DOUBLE_EQ(value("select kcsl from xssp where spno = 'S1'").toDouble(), 0);
    QSqlQuery line = exec(db(), "select isfwxsp, cbdj from xfsp");
    ASSERT_TRUE(line.next());
    EXPECT_TRUE(line.value(0).toBool());
    EXPECT_TRUE(line.value(1).isNull());
}

TEST_P(Checkout, TheSameGoodsTwiceAreOneLine)
{
    deposit("M1", 400);
    const auto done = run(sale("M1", {item("A1", 1), item("S1", 1), item("A1", 2)}));
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.value.xfje, yuan("153"));  // 3 × 45 + 18
    EXPECT_EQ(value("select count(*) from xfsp where spno = 'A1'").toInt(), 1);
    EXPECT_EQ(value("select spnum from xfsp where spno = 'A1'").toInt(), 3);
    EXPECT_DOUBLE_EQ(value("select xssl from kccl where spno = 'A1' and czsm = '销售'").toDouble(), 3);
    EXPECT_DOUBLE_EQ(value("select kcsl from xssp where spno = 'A1'").toDouble(), 7);
}

TEST_P(Checkout, UpgradeAtTheThreshold)
{
    exec(db(), "insert into autosj(cardno, sjjf, sjhcardno, clearjf) values('0001', 1000, '0006', ?)", {false});
    exec(db(), "update membercurlist set xfjf = 1046 where memberno = 'M1'");
    exec(db(), "insert into memberjf(memberno, jffs, hdjf, kcjf, curjf) values('M1', '消费积分', 1046, 0, 1046)");
    const auto done = run(sale("M1", {item("A1", 1)}));  // earns 4: 1050
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    EXPECT_EQ(done.message, "消费完成，该会员卡类型已经升级为钻石卡");
    EXPECT_TRUE(done.value.upgraded);
    EXPECT_EQ(done.value.cardno, "0006");
    EXPECT_EQ(done.value.xfjf, 50);
    EXPECT_DOUBLE_EQ(memberValue("xfjf", "M1"), 50);
    EXPECT_EQ(value("select cardno from membercurlist where memberno = 'M1'").toString(), "0006");

    QSqlQuery up = exec(db(), "select sjwz, sjqjf, sjqcardno, sjqcardname, sjhcardno from sjjl");
    ASSERT_TRUE(up.next());
    EXPECT_EQ(up.value(0).toString(), "消费");
    EXPECT_EQ(up.value(1).toInt(), 1050);
    EXPECT_EQ(up.value(2).toString(), "0001");
    EXPECT_EQ(up.value(3).toString(), "金卡");
    EXPECT_EQ(up.value(4).toString(), "0006");
    EXPECT_FALSE(up.next());
    QSqlQuery taken = exec(db(), "select kcjf, curjf from memberjf where kcjf > 0");
    ASSERT_TRUE(taken.next());
    EXPECT_EQ(taken.value(0).toInt(), 1000);
    EXPECT_EQ(taken.value(1).toInt(), 50);

    // Clearing rule on a class that does not exist: refused, nothing saved.
    exec(db(), "update autosj set sjhcardno = '0009', sjjf = 10, clearjf = ?", {true});
    exec(db(), "update membercurlist set cardno = '0001' where memberno = 'M1'");
    const QStringList before = snapshot(db());
    EXPECT_EQ(run(sale("M1", {item("A1", 1)})).message,
              "系统启用了卡类自动升级，但是目前所要升级到的卡类型不存在,\n要升级到的卡类型号0009");
    EXPECT_EQ(snapshot(db()), before);
}

TEST_P(Checkout, IcCardGetsTheExactBalanceAndAFailedWriteUndoesAll)
{
    mc::settings.xxxgspjg = true;
    CheckoutLine line = item("A1", 1);
    line.spdj = yuan("50.5");  // 45.45 after the class discount
    CheckoutInput in = sale("M1", {line});
    in.cardMode = 2;
    in.icCard = CardRead{"CM1", yuan("100")};

    const QStringList before = snapshot(db());
    int calls = 0;
    const auto refused = run(in, [&](const CardWrite&) {
        ++calls;
        return mc::Done::failure({});
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(refused.message, "未完成写卡,无法保存");
    EXPECT_EQ(snapshot(db()), before);

    std::optional<CardWrite> written;
    const auto done = run(in, [&](const CardWrite& w) {
        written = w;
        return mc::Done::success();
    });
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->cardNumber, "CM1");
    EXPECT_EQ(written->balance, yuan("54.55"));
    EXPECT_EQ(written->classCode, "0001");
    EXPECT_DOUBLE_EQ(value("select knye from memberxx where zmfs = '消费'").toDouble(), 100);
}

TEST_P(Checkout, ReceiptListsEachLineOnTwoRows)
{
    deposit("M1", 400);
    const auto done = run(sale("M1", {item("A1", 2), item("S1", 1)}));
    ASSERT_TRUE(done.ok) << done.message.toStdString();
    const QStringList body = checkoutReceiptBody(done.value, session);
    const qsizetype header = body.indexOf("商品代码        数量    单价    总额");
    ASSERT_EQ(header, 5);
    EXPECT_EQ(body.indexOf(QString("消费总额:") + "120.00"), header + 5);
    EXPECT_EQ(body.at(header + 1), "        A1  2.00 50.00 90.00");
    EXPECT_EQ(body.at(header + 2), "商品A1");
    EXPECT_EQ(body.at(1), "会员姓名会员M1");
    EXPECT_TRUE(body.contains("消费积分:" + QString::number(done.value.xfjf)));
    EXPECT_EQ(body.last(), "日期:2026-12-11 10:00");
}

TEST_P(Checkout, TwoWorkstationsSellingAtOnceLoseNothing)
{
    deposit("M1", 900);
    restock("A1", 90);
    constexpr int perStation = 5;
    mctest::runTogether([this](int i) {
        const QString name = QStringLiteral("station%1").arg(i);
        {
            const QSqlDatabase own = scratch->connect(name);
            for (int n = 0; n < perStation; ++n) {
                const auto done = checkout(own, sale("M1", {item("A1", 1)}), session);
                EXPECT_TRUE(done.ok) << done.message.toStdString();
            }
        }
        mc::db::closeConnection(name);
    });
    EXPECT_DOUBLE_EQ(memberValue("curmoney", "M1"), 1000 - 2 * perStation * 45);
    EXPECT_DOUBLE_EQ(memberValue("xfze", "M1"), 2 * perStation * 45);
    EXPECT_DOUBLE_EQ(memberValue("xfcs", "M1"), 2 * perStation);
    EXPECT_DOUBLE_EQ(memberValue("xfjf", "M1"), 2 * perStation * 4);
    EXPECT_DOUBLE_EQ(value("select kcsl from xssp where spno = 'A1'").toDouble(), 100 - 2 * perStation);
    EXPECT_EQ(value("select count(distinct xfdh) from memberxx where zmfs = '消费'").toInt(), 2 * perStation);
    EXPECT_EQ(value("select count(*) from kccl where czsm = '销售'").toInt(), 2 * perStation);
}

MC_ENGINES(Checkout);
