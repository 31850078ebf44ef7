// The voucher amounts driven through their events, against real class, member, goods and
// points rows on both engines.

#include "amounts.h"
#include "database.h"
#include "scratch_database.h"
#include "settings/settings_cache.h"

using mc::Money;
using mc::db::exec;
using namespace mc::sales;
using mctest::EngineTest;

namespace {

Money yuan(double value)
{
    return Money::fromDouble(value);
}

class Amounts : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        exec(db(), "insert into sysset(jeblxs, jdms) values(?, ?)", {1, false});
        exec(db(), "insert into xfjf(jfzt, jffs, mxfje, ksjfje) values(?, ?, ?, ?)",
             {true, "消费时积分", 10.0, 0.0});
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), "
                   "('002', '洗车', ?)", {false, true});
        goods("G50", "001", 50.0);
        goods("G35", "001", 35.0);
        goods("W30", "002", 30.0);
        cardClass("0001", 9, 1);   // direct
        cardClass("0002", 9, 3);   // discount adds up as credit
        cardClass("0003", 9, 2);   // discount for the next purchase only
        cardClass("0000", 10, 1);  // the cash customer's
        member("00000001", "0001");
        member("0000", "0000");
        rules.emplace(db());
    }

    void goods(const QString& spno, const QString& spclass, double xsjg, bool istj = false)
    {
        exec(db(), "insert into xssp(spno, spname, spclass, xsjg, istj) values(?, ?, ?, ?, ?)",
             {spno, spno, spclass, xsjg, istj});
    }
    void cardClass(const QString& cardno, double zkbl, int zkxffs)
    {
        exec(db(), "insert into cardclass(cardno, cardname, classname, zkbl, zkxffs) values(?, ?, ?, ?, ?)",
             {cardno, cardno, "储值卡", zkbl, zkxffs});
    }
    void member(const QString& memberno, const QString& cardno, double syyhje = 0, double xfze = 0)
    {
        exec(db(), "insert into membercurlist(memberno, truecard, cardno, syyhje, xfze) values(?, ?, ?, ?, ?)",
             {memberno, memberno, cardno, syyhje, xfze});
    }
    void setPlaces(int places) { exec(db(), "update sysset set jeblxs = ?", {places}); }

    VoucherAmounts voucher(const QString& memberno = "00000001")
    {
        mc::loadSettingsCache(db());  // decimals and simple mode, as the main window loads them
        return VoucherAmounts(*loadVoucherSetup(db(), memberno), *rules);
    }
    GoodsItem item(const QString& spno)
    {
        QSqlQuery q = exec(db(), "select spname, spclass, xsjg, istj from xssp where spno = ?", {spno});
        q.next();
        return {spno, q.value(0).toString(), q.value(1).toString(), yuan(q.value(2).toDouble()), q.value(3).toBool()};
    }

    std::optional<DbRuleSource> rules;
};

}  // namespace

TEST_P(Amounts, DirectModeWithLines)
{
    VoucherAmounts v = voucher();
    v.addGoods(item("G50"), 2);
    EXPECT_TRUE(v.guarded());
    v.saveLine();
    EXPECT_FALSE(v.guarded());
    const VoucherLine& line = v.lines().at(0);
    EXPECT_DOUBLE_EQ(line.zkjg.toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(line.spjsjg.toDouble(), 45.0);
    EXPECT_DOUBLE_EQ(line.spzj.toDouble(), 90.0);
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 90.0);

    v.setOtherReduction(yuan(5));
    v.setOtherCharge(yuan(2));
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 87.0);
    v.setOtherReduction(yuan(500));
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 0.0);  // never negative
}

TEST_P(Amounts, EditingAndDeletingLinesKeepTheTotalsInStep)
{
    VoucherAmounts v = voucher();
    v.addGoods(item("G50"), 2);
    v.addGoods(item("G35"), 1);  // saves the first line
    v.saveLine();
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 135.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 13.5);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 121.5);

    v.openLine(0);
    EXPECT_TRUE(v.guarded());
    v.editQuantity(3);  // leaving the cell saves and reopens the line
    EXPECT_TRUE(v.guarded());
    EXPECT_EQ(v.openLineIndex(), 0);
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 185.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 166.5);
    v.editSettlementPrice(yuan(40));  // typed: the unit discount stays
    EXPECT_DOUBLE_EQ(v.lines().at(0).zkjg.toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(v.lines().at(0).spzj.toDouble(), 120.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 185.0 - 151.5);
    v.saveLine();
    EXPECT_FALSE(v.guarded());
    EXPECT_EQ(v.openLineIndex(), std::nullopt);

    v.deleteLine(1);
    EXPECT_EQ(v.lines().size(), 1);
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 150.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 30.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 120.0);

    // Typing a price or a rate recomputes the unit discount from them.
    v.openLine(0);
    v.editPrice(yuan(60));
    EXPECT_DOUBLE_EQ(v.lines().at(0).zkjg.toDouble(), 6.0);
    EXPECT_DOUBLE_EQ(v.lines().at(0).spzj.toDouble(), 162.0);
    v.editRate(8);
    EXPECT_DOUBLE_EQ(v.lines().at(0).zkjg.toDouble(), 12.0);
    EXPECT_DOUBLE_EQ(v.lines().at(0).spjsjg.toDouble(), 48.0);
    v.saveLine();
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 180.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 36.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 144.0);

    // A line being added and then cancelled leaves no trace.
    v.addGoods(item("G35"), 4);
    v.cancelLine();
    EXPECT_FALSE(v.guarded());
    EXPECT_EQ(v.lines().size(), 1);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 144.0);
}

TEST_P(Amounts, StartingRateOfALine)
{
    exec(db(), "insert into cardfj(cardno, xmno, xmclass, xfzk) values('0001', 'G50', '', 8), "
               "('0001', '', '001', 7), ('0001', '', '002', 6)");
    VoucherAmounts v = voucher();
    v.addGoods(item("G50"), 1);  // goods item rule before the class rule
    v.addGoods(item("G35"), 1);  // goods class rule
    v.addGoods(item("W30"), 1);
    exec(db(), "delete from cardfj where xmclass = '002'");
    goods("W31", "002", 30.0);
    v.addGoods(item("W31"), 1);  // neither: the class default rate
    v.saveLine();
    const double expected[] = {8, 7, 6, 9};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(v.lines().at(i).ydzkl, expected[i]) << i;
        EXPECT_DOUBLE_EQ(v.lines().at(i).spzkl, expected[i]) << i;
    }
}

TEST_P(Amounts, CreditUseInSimpleMode)
{
    const struct {
        const char* cardno;
        double syyhje;
        bool tick;
        double otsk;
        double bcdkje, dkhje, zkhje, xfje;
    } cases[] = {
        {"0002", 0, true, 0, 0, 100, 10, 100},     // the 10 becomes credit at the save
        {"0002", 30, true, 0, 30, 70, 7, 70},
        {"0003", 30, true, 0, 30, 70, 7, 70},
        {"0002", 30, false, 0, 0, 100, 10, 100},   // not ticked: no credit used
        {"0002", 150, true, 5, 100, 0, 0, 5},      // more credit than the amount
        {"0001", 30, true, 0, 0, 100, 10, 90},     // direct mode never uses credit
    };
    for (const auto& c : cases) {
        exec(db(), "delete from membercurlist where memberno = '00000002'");
        member("00000002", c.cardno, c.syyhje);
        VoucherAmounts v = voucher("00000002");
        v.setUseCredit(c.tick);
        v.setOtherCharge(yuan(c.otsk));
        v.setAmountDue(yuan(100));
        const auto& t = v.totals();
        const std::string at = std::string(c.cardno) + " credit " + std::to_string(c.syyhje);
        EXPECT_DOUBLE_EQ(t.bcdkje.toDouble(), c.bcdkje) << at;
        EXPECT_DOUBLE_EQ(t.dkhje.toDouble(), c.dkhje) << at;
        EXPECT_DOUBLE_EQ(t.zkhje.toDouble(), c.zkhje) << at;
        EXPECT_DOUBLE_EQ(t.xfje.toDouble(), c.xfje) << at;
    }
}

TEST_P(Amounts, CreditUsedNeverExceedsWhatTheMemberHolds)
{
    // With the discount of an earlier pass left in place the room is 90, below the credit of
    // 95; the voucher still takes 95, not the whole amount due.
    member("00000002", "0002", 95);
    VoucherAmounts v = voucher("00000002");
    v.setAmountDue(yuan(100));
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 10.0);
    v.setUseCredit(true);
    EXPECT_DOUBLE_EQ(v.totals().bcdkje.toDouble(), 95.0);
    EXPECT_DOUBLE_EQ(v.totals().dkhje.toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 5.0);
    v.setUseCredit(false);
    EXPECT_DOUBLE_EQ(v.totals().bcdkje.toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 100.0);
}

TEST_P(Amounts, CreditModeLinesDriveTheCredit)
{
    member("00000002", "0002", 30);
    VoucherAmounts v = voucher("00000002");
    v.setUseCredit(true);
    v.addGoods(item("G50"), 2);
    EXPECT_FALSE(v.guarded());
    v.saveLine();
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(v.totals().bcdkje.toDouble(), 30.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 7.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 70.0);

    // Editing a line follows through to the credit and the charge as well.
    v.openLine(0);
    v.editQuantity(3);
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 150.0);
    EXPECT_DOUBLE_EQ(v.totals().dkhje.toDouble(), 120.0);
    EXPECT_DOUBLE_EQ(v.totals().zkhje.toDouble(), 12.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 120.0);
}

TEST_P(Amounts, VoucherRateChange)
{
    // Simple mode: the whole discount follows the rate.
    exec(db(), "update sysset set jdms = ?", {true});
    VoucherAmounts simple = voucher();
    ASSERT_TRUE(simple.setup().simpleMode);
    simple.setAmountDue(yuan(100));
    EXPECT_DOUBLE_EQ(simple.totals().xfje.toDouble(), 90.0);
    simple.setRate(8);
    EXPECT_DOUBLE_EQ(simple.totals().zkhje.toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(simple.totals().xfje.toDouble(), 80.0);

    // Lines in direct mode: the voucher discount stays the lines' total discount, instead of
    // one taken from an amount after credit that the lines never set.
    exec(db(), "update sysset set jdms = ?", {false});
    VoucherAmounts lines = voucher();
    lines.addGoods(item("G50"), 2);
    lines.saveLine();
    lines.setRate(8);
    EXPECT_DOUBLE_EQ(lines.totals().zkhje.toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(lines.totals().xfje.toDouble(), 90.0);
}

TEST_P(Amounts, LinePoints)
{
    // Neither the rule's own flag nor the special-price setting is consulted.
    exec(db(), "insert into spxfjf(spclass, meixf, xfjf, isjf) values('001', 20, 3, ?)", {false});
    exec(db(), "update xfjf set tjspbjf = ?", {false});
    goods("P", "001", 59.5);
    goods("Q", "002", 59.5);
    goods("T", "001", 59.5, true);
    exec(db(), "update cardclass set zkbl = 10 where cardno = '0001'");
    VoucherAmounts full = voucher();
    full.addGoods(item("P"), 1);  // E(59.50) = 60, 60 div 20 = 3 steps of 3
    full.addGoods(item("Q"), 1);  // no class rule: 60 div 10
    full.addGoods(item("T"), 1);  // goods outside the points
    full.saveLine();
    EXPECT_EQ(full.lines().at(0).xfjf, 9);
    EXPECT_EQ(full.lines().at(1).xfjf, 6);
    EXPECT_EQ(full.lines().at(2).xfjf, 0);
    EXPECT_EQ(full.totals().bcxfjf, 15);  // direct mode: the lines' points

    // Deleting a line leaves the voucher points of the amount charged: 119.0 / 10.
    full.deleteLine(2);
    EXPECT_EQ(full.totals().bcxfjf, 12);
}

TEST_P(Amounts, GoodsAlreadyOnTheVoucherGrowTheirLine)
{
    // 45.00 earns 4 points and 90.00 earns 9: one line of 2, not two lines of 1.
    VoucherAmounts v = voucher();
    v.addGoods(item("G50"), 1);
    v.addGoods(item("G35"), 1);
    v.addGoods(item("G50"), 1);
    ASSERT_EQ(v.lines().size(), 2);
    EXPECT_EQ(v.openLineIndex(), std::nullopt);  // the grown line is saved at once
    const VoucherLine& grown = v.lines().at(0);
    EXPECT_EQ(grown.spnum, 2);
    EXPECT_DOUBLE_EQ(grown.spzj.toDouble(), 90.0);
    EXPECT_EQ(grown.xfjf, 9);
    EXPECT_EQ(v.lines().at(1).xfjf, 3);  // 31.50: E 32 div 10
    EXPECT_EQ(v.totals().bcxfjf, 12);
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 135.0);
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 121.5);

    // A line grown while another is open saves that one first, then grows.
    v.addGoods(item("W30"), 1);
    v.addGoods(item("G35"), 2);
    ASSERT_EQ(v.lines().size(), 3);
    EXPECT_EQ(v.lines().at(1).spnum, 3);
    EXPECT_EQ(v.lines().at(2).spnum, 1);
    EXPECT_DOUBLE_EQ(v.totals().sjxfje.toDouble(), 100 + 105 + 30.0);
}

TEST_P(Amounts, LinesCarryTheirStaffServiceTypeAndServiceFlag)
{
    mc::settings.mrxfclass = "洗车类";
    mc::settings.jdms = false;
    VoucherSetup setup = *loadVoucherSetup(db(), "00000001");
    EXPECT_EQ(setup.defaultServiceType, "洗车类");
    VoucherAmounts v(setup, *rules);
    GoodsItem wash = item("W30");
    wash.isfwxsp = true;
    v.addGoods(item("G50"), 1);  // before any voucher staff
    v.setStaff({"0001", "张三", "01"});
    v.addGoods(wash, 1);
    v.saveLine();
    EXPECT_EQ(v.lines().at(0).staff.ygid, "");
    EXPECT_EQ(v.lines().at(1).staff.ygname, "张三");
    EXPECT_EQ(v.lines().at(1).staff.depId, "01");
    EXPECT_EQ(v.lines().at(1).fwclass, "洗车类");
    EXPECT_FALSE(v.lines().at(0).isfwxsp);
    EXPECT_TRUE(v.lines().at(1).isfwxsp);

    v.setLineStaff(0, {"0002", "李四", "02"});
    v.setLineServiceType(0, "饮品");
    v.setLineCommission(0, yuan(1.5));
    const Money charged = v.totals().xfje;
    EXPECT_EQ(v.lines().at(0).staff.ygid, "0002");
    EXPECT_EQ(v.lines().at(0).fwclass, "饮品");
    EXPECT_EQ(v.lines().at(0).ygtc, yuan(1.5));
    EXPECT_EQ(v.totals().xfje, charged);  // none of them moves an amount
    mc::settings.mrxfclass.clear();
}

TEST_P(Amounts, NoPointsWhenTheMemberOrSettingsSaySo)
{
    const struct {
        const char* what;
        const char* memberno;
        const char* settings;
        int linePoints, voucherPoints;
    } cases[] = {
        {"cash customer", "0000", "", 0, 9},
        {"points off", "00000001", "update xfjf set jfzt = false", 0, 0},
        {"at renewal", "00000001", "update xfjf set jffs = '续卡时积分'", 0, 0},
        {"below the threshold", "00000001", "update xfjf set ksjfje = 1000", 0, 0},
        {"past the threshold only with this voucher", "00000001", "update xfjf set ksjfje = 50", 0, 0},
        {"no settings row", "00000001", "delete from xfjf", 0, 0},
        {"money per point rounds to 0", "00000001", "update xfjf set mxfje = 0.4", 0, 225},
        {"class step 0", "00000001", "insert into spxfjf(spclass, meixf, xfjf) values('001', 0, 5)", 0, 9},
    };
    for (const auto& c : cases) {
        exec(db(), "delete from xfjf");
        exec(db(), "delete from spxfjf");
        exec(db(), "insert into xfjf(jfzt, jffs, mxfje, ksjfje) values(?, ?, ?, ?)", {true, "消费时积分", 10.0, 0.0});
        if (*c.settings)
            exec(db(), c.settings);
        VoucherAmounts v = voucher(c.memberno);
        v.addGoods(item("G50"), 2);
        v.saveLine();
        EXPECT_EQ(v.lines().at(0).xfjf, c.linePoints) << c.what;
        exec(db(), "update sysset set jdms = ?", {true});
        VoucherAmounts simple = voucher(c.memberno);
        exec(db(), "update sysset set jdms = ?", {false});
        simple.setAmountDue(yuan(c.memberno == QString("0000") ? 90 : 100));
        EXPECT_EQ(simple.totals().bcxfjf, c.voucherPoints) << c.what;
    }
}

TEST_P(Amounts, AnOpenLineHoldsTheVoucherPointsUntilTheTickBoxClearsTheGuard)
{
    VoucherAmounts v = voucher();
    v.addGoods(item("G50"), 2);
    v.saveLine();
    EXPECT_EQ(v.totals().bcxfjf, 9);
    v.openLine(0);
    v.setOtherReduction(yuan(5));
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 85.0);
    EXPECT_EQ(v.totals().bcxfjf, 9);  // the lines' points, not recomputed from the charge
    v.setUseCredit(false);
    EXPECT_FALSE(v.guarded());
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 85.0);
    EXPECT_EQ(v.totals().bcxfjf, 8);  // E(8.5)
}

TEST_P(Amounts, AmountsRoundToTheConfiguredPlaces)
{
    goods("A", "001", 9.99);
    goods("B", "001", 12.5);
    exec(db(), "update cardclass set zkbl = 10 where cardno = '0001'");
    exec(db(), "insert into cardfj(cardno, xmno, xmclass, xfzk) values('0001', 'B', '', 9.5)");
    const struct {
        int places;
        double spzjA, zkjgB, spjsjgB;
    } cases[] = {{1, 30.0, 0.6, 11.9}, {2, 29.97, 0.63, 11.87}};
    for (const auto& c : cases) {
        setPlaces(c.places);
        VoucherAmounts v = voucher();
        v.addGoods(item("A"), 3);
        v.addGoods(item("B"), 1);
        v.saveLine();
        EXPECT_DOUBLE_EQ(v.lines().at(0).spzj.toDouble(), c.spzjA) << c.places;
        EXPECT_DOUBLE_EQ(v.lines().at(1).zkjg.toDouble(), c.zkjgB) << c.places;
        EXPECT_DOUBLE_EQ(v.lines().at(1).spjsjg.toDouble(), c.spjsjgB) << c.places;
        EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), c.spzjA + c.spjsjgB) << c.places;
    }
}

TEST_P(Amounts, TheFinalSaveBooksLinesWithoutRecalculating)
{
    VoucherAmounts v = voucher();
    v.addGoods(item("G50"), 2);
    v.saveLine();
    v.openLine(0);
    v.setFinalSave(true);
    v.saveLine();
    EXPECT_DOUBLE_EQ(v.totals().xfje.toDouble(), 90.0);
    EXPECT_TRUE(v.guarded());  // untouched by the booking
}

MC_ENGINES(Amounts);

TEST(PointsArithmetic, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(59.5), 60);
    EXPECT_EQ(roundHalfEven(58.5), 58);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(rulePoints(yuan(59.5), {20, 3}), 9);
    EXPECT_EQ(rulePoints(yuan(59.5), {0, 3}), 0);
    EXPECT_EQ(moneyPoints(yuan(59.5), yuan(10)), 6);
    EXPECT_EQ(moneyPoints(yuan(59.5), yuan(0.4)), std::nullopt);
}

TEST(DiscountModes, CreditAfterTheSave)
{
    const struct {
        DiscountMode mode;
        double syyhje, zkhje, bcdkje, after;
    } cases[] = {
        {DiscountMode::SingleUse, 30, 7, 30, 7},        // what is left is replaced, not added to
        {DiscountMode::SingleUse, 50, 10, 0, 10},
        {DiscountMode::SingleUse, 50, 0, 20, 0},
        {DiscountMode::Accumulating, 30, 7, 30, 7},
        {DiscountMode::Accumulating, 50, 10, 0, 60},    // the discount adds up
        {DiscountMode::Accumulating, 50, 0.35, 20.1, 30.25},
        {DiscountMode::Direct, 50, 10, 20, 30},         // only the credit used goes
        {DiscountMode::Direct, 0, 10, 0, 0},
    };
    for (const auto& c : cases) {
        const Money after = creditAfterSave(c.mode, yuan(c.syyhje), yuan(c.zkhje), yuan(c.bcdkje));
        EXPECT_EQ(after, yuan(c.after)) << discountModeText(c.mode).toStdString() << " " << c.syyhje << " "
                                        << c.zkhje << " " << c.bcdkje;
    }
}

TEST(PointsArithmetic, WholeYuanOfAnAmountIsExact)
{
    const struct {
        double amount;
        long long whole;
    } cases[] = {{59.5, 60}, {58.5, 58}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-1.5, -2}, {-2.5, -2}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(wholeYuan(yuan(c.amount)), c.whole) << c.amount;
}

TEST(DiscountModes, ClassModeGivesTheVoucherModeText)
{
    const struct {
        int zkxffs;
        DiscountMode mode;
        const char* text;
    } cases[] = {{1, DiscountMode::Direct, "直接折扣"},
                 {2, DiscountMode::SingleUse, "折扣单次使用"},
                 {3, DiscountMode::Accumulating, "折扣可累计"},
                 {0, DiscountMode::Direct, "直接折扣"}};  // anything else is direct
    for (const auto& c : cases) {
        EXPECT_EQ(discountModeOf(c.zkxffs), c.mode) << c.zkxffs;
        EXPECT_EQ(discountModeText(discountModeOf(c.zkxffs)), QString(c.text)) << c.zkxffs;
    }
}
