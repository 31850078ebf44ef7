// Card classes and their items: the checks in order, the save in one transaction, the delete
// rule, and the member picker's list, on both engines.

#include "card_classes.h"
#include "database.h"
#include "member_pick.h"
#include "run_together.h"
#include "scratch_database.h"
#include "transaction.h"
#include "utils/money.h"

#include <QThread>

#include <atomic>

#include <functional>

using mc::db::exec;
using mc::db::scalar;
using namespace mc::members;
using mctest::EngineTest;

namespace {

class CardClasses : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        exec(db(), "insert into spclass(classno, classname, isfwxsp) values('001', '饮料', ?), ('002', '洗车', ?)",
             {false, true});
        exec(db(), "insert into xssp(spclass, spno, spname) values('001', 'G1', '可乐'), ('002', 'W1', '洗车')");
    }

    static CardClassForm storedValue(const QString& code = "7")
    {
        CardClassForm f;
        f.cardno = code;
        f.cardname = "金卡";
        f.classname = storedValueKind;
        f.cardmoney = "20";
        f.czqs = "1.1";
        f.stored.zkbl = "9";
        f.stored.zkxffs = 3;
        f.yxxgscje = true;
        return f;
    }
    QVariant column(const QString& code, const QString& name)
    {
        return scalar(db(), "select " + name + " from cardclass where cardno = ?", {code});
    }
    int items(const QString& code) { return scalar(db(), "select count(*) from cardfj where cardno = ?", {code}).toInt(); }
};

}  // namespace

TEST_P(CardClasses, ChecksInOrderWithTheirMessages)
{
    const struct {
        const char* what;
        std::function<void(CardClassForm&)> change;
        const char* message;
        const char* field;
    } cases[] = {
        {"code", [](auto& f) { f.cardno = " "; f.cardname.clear(); }, "错误,必须录入卡类型代码", "cardno"},
        {"name", [](auto& f) { f.cardname.clear(); f.classname.clear(); }, "错误,必须录入卡类型名称", "cardname"},
        {"brackets", [](auto& f) { f.cardname = "金[卡]"; }, "卡类型名称中不能有\"[\"和\"]\"的符号", "cardname"},
        {"kind", [](auto& f) { f.classname.clear(); f.cardmoney = "x"; }, "错误,必须选择会员卡大类", "classname"},
        {"price", [](auto& f) { f.cardmoney = "x"; f.cardyajin = "x"; }, "会员卡价格录入错误", "cardmoney"},
        {"price high", [](auto& f) { f.cardmoney = "10000001"; }, "会员卡价格的数值不应大于10000000.00", "cardmoney"},
        {"deposit", [](auto& f) { f.cardyajin = "-1"; }, "会员卡押金的数值不应小于0.00", "cardyajin"},
        {"change fee", [](auto& f) { f.hkje = "1..2"; }, "换卡费用录入错误", "hkje"},
        {"months", [](auto& f) { chooseValidity(f, "其他"); f.cardyf = "121"; f.cardts = "x"; }, "使用期限月份的数值不应大于120", "cardyf"},
        {"days", [](auto& f) { chooseValidity(f, "其他"); f.cardts = "4001"; }, "使用期限天数的数值不应大于4000", "cardts"},
        {"uses", [](auto& f) { f.classname = countKind; f.cardcs = "1000001"; f.czqs = "0"; }, "消费次数合计的数值不应大于1000000", "cardcs"},
        {"unit received", [](auto& f) { f.ckqs = "a"; }, "储值卡设置中储值金额录入错误", "ckqs"},
        {"credit", [](auto& f) { f.czqs = "a"; }, "储值卡设置中存入卡内金额录入错误", "czqs"},
        {"credit zero", [](auto& f) { f.czqs = "0"; }, "储值卡设置中存入卡内金额必须大于0", "czqs"},
        {"credit empty", [](auto& f) { f.czqs = ""; }, "储值卡设置中存入卡内金额必须大于0", "czqs"},
        {"stored discount", [](auto& f) { f.stored.zkbl = "10.5"; }, "储值卡设置中折扣的数值不应大于10.00", "svZkbl"},
        {"stored fee", [](auto& f) { chooseValidity(f, "1年"); f.stored.membernf = "x"; }, "储值卡设置中每年扣除会费录入错误", "svMembernf"},
        {"discount fee", [](auto& f) { f.classname = discountKind; chooseValidity(f, "1年"); f.discount.membernf = "-1"; f.discount.zkbl = "x"; },
         "储值卡设置中每年扣除会费的数值不应小于0.00", "dMembernf"},
        {"discount rate", [](auto& f) { f.classname = discountKind; f.discount.zkbl = "11"; f.czqs = "0"; }, "折扣卡设置中折扣的数值不应大于10.00", "dZkbl"},
    };
    for (const auto& c : cases) {
        CardClassForm f = storedValue();
        c.change(f);
        const mc::Done r = saveCardClass(db(), f, EditMode::Adding, {});
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
    CardClassForm f = storedValue();
    EXPECT_EQ(saveCardClass(db(), f, EditMode::Viewing, {}).message, "状态出现错误，请关闭窗口，重新打开编辑");
    EXPECT_EQ(scalar(db(), "select count(*) from cardclass").toInt(), 0);
}

TEST_P(CardClasses, CodesArePaddedAndUnique)
{
    CardClassForm f = storedValue("7");
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, {}).ok);
    EXPECT_EQ(f.cardno, "0007");
    EXPECT_EQ(column("0007", "cardname").toString(), "金卡");
    CardClassForm again = storedValue("0007");
    EXPECT_EQ(saveCardClass(db(), again, EditMode::Adding, {}).message, "错误，卡类型编码不能重复");

    // Two workstations adding the same code at once both pass the check; the table itself
    // refuses the second row.
    EXPECT_THROW(exec(db(), "insert into cardclass(cardno) values('0007')"), mc::db::DbError);

    // Editing a class that another workstation deleted meanwhile.
    CardClassForm gone = storedValue("0099");
    EXPECT_EQ(saveCardClass(db(), gone, EditMode::Editing, {}).message, "出现错误，无法找到要编辑的卡类型代码");
}

TEST_P(CardClasses, EmptyFieldsTakeTheirDefaults)
{
    CardClassForm f = storedValue();
    f.cardmoney.clear();
    f.stored.zkbl.clear();
    f.stored.membernf.clear();
    f.ckqs.clear();
    f.timelong.clear();
    f.cardyf = "5";
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, {}).ok);
    EXPECT_EQ(f.cardmoney, "0");
    EXPECT_EQ(f.stored.zkbl, "10");
    EXPECT_EQ(f.timelong, "无限期");  // no validity chosen: the first entry
    EXPECT_DOUBLE_EQ(column("0007", "zkbl").toDouble(), 10.0);
    EXPECT_EQ(column("0007", "timelong").toString(), "无限期");
    EXPECT_EQ(column("0007", "cardyf").toInt(), 0);
    EXPECT_TRUE(column("0007", "ckqs").isNull());  // no default: empty stays empty
}

TEST_P(CardClasses, OnlyAOneYearValidityKeepsAYearlyFee)
{
    CardClassForm f = storedValue();
    chooseValidity(f, "1年");
    EXPECT_EQ(f.cardyf, "12");
    f.stored.membernf = "50";
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, {}).ok);
    EXPECT_DOUBLE_EQ(column("0007", "membernf").toDouble(), 50.0);

    // Every other choice resets the fee, and a save never stores one without it.
    chooseValidity(f, "半年");
    EXPECT_EQ(f.stored.membernf, "0");
    EXPECT_EQ(f.cardyf, "6");
    chooseValidity(f, "其他");
    f.cardyf = "2";
    f.cardts = "15";
    f.stored.membernf = "30";
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Editing, {}).ok);
    EXPECT_DOUBLE_EQ(column("0007", "membernf").toDouble(), 0.0);
    EXPECT_EQ(column("0007", "cardyf").toInt(), 2);
    EXPECT_EQ(column("0007", "cardts").toInt(), 15);
}

TEST_P(CardClasses, SavingWritesTheFieldsOfTheKind)
{
    CardClassForm f = storedValue();
    f.discount.zkbl = "5";  // the other group's field is not saved
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, {}).ok);
    EXPECT_DOUBLE_EQ(column("0007", "czqs").toDouble(), 1.1);
    EXPECT_DOUBLE_EQ(column("0007", "zkbl").toDouble(), 9.0);
    EXPECT_EQ(column("0007", "zkxffs").toInt(), 3);
    EXPECT_TRUE(column("0007", "yxxgscje").toBool());
    EXPECT_FALSE(column("0007", "yxgbzk").toBool());

    CardClassForm count;
    count.cardno = "8";
    count.cardname = "十次卡";
    count.classname = countKind;
    count.cardcs = "10";
    count.discount.zkbl = "5";
    ASSERT_TRUE(saveCardClass(db(), count, EditMode::Adding, {}).ok);
    EXPECT_EQ(column("0008", "cardcs").toInt(), 10);
    EXPECT_DOUBLE_EQ(column("0008", "zkbl").toDouble(), 0.0);

    const auto loaded = loadCardClass(db(), "0007");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->cardmoney, "20.00");
    EXPECT_EQ(loaded->czqs, "1.10");
    EXPECT_EQ(loaded->stored.zkbl, "9.00");
    EXPECT_EQ(loaded->stored.zkxffs, 3);
    EXPECT_EQ(listCardClasses(db()).size(), 2);
}

TEST_P(CardClasses, ItemsReachTheTableOnlyWithTheSave)
{
    CardClassForm f = storedValue();
    CardItemSet set;
    set.append({0, "001", "", 0, 8, {}, {}});
    set.append({0, "", "G1", 0, 7, {}, {}});
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, set).ok);
    EXPECT_EQ(items("0007"), 2);

    set.load(db(), "0007");
    ASSERT_EQ(set.rows().size(), 2);
    EXPECT_EQ(set.rows()[0].className, "饮料");
    EXPECT_EQ(set.rows()[1].goodsName, "可乐");
    set.remove(0);
    CardItem changed = set.rows()[0];
    changed.xfzk = 6.5;
    set.replace(0, changed);
    set.append({0, "002", "", 0, 9, {}, {}});
    EXPECT_EQ(items("0007"), 2);  // nothing written yet
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Editing, set).ok);
    EXPECT_EQ(items("0007"), 2);
    EXPECT_DOUBLE_EQ(scalar(db(), "select xfzk from cardfj where xmno = 'G1'").toDouble(), 6.5);
    EXPECT_EQ(scalar(db(), "select count(*) from cardfj where xmclass = '001'").toInt(), 0);
}

TEST_P(CardClasses, AFailingItemLeavesNoClassBehind)
{
    CardClassForm f = storedValue();
    CardItemSet set;
    set.append({0, QString(51, u'1'), "", 0, 8, {}, {}});  // wider than cardfj.xmclass
    const mc::Done r = saveCardClass(db(), f, EditMode::Adding, set);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith("出现错误，无法保存\n"));
    EXPECT_EQ(scalar(db(), "select count(*) from cardclass").toInt(), 0);
    EXPECT_EQ(items("0007"), 0);
}

TEST_P(CardClasses, ItemChecks)
{
    EXPECT_EQ(checkCardItem(db(), {0, "", "", 0, 10, {}, {}}, false).message, "商品代码和分类必须选择一项");
    EXPECT_EQ(checkCardItem(db(), {0, "", "NONE", 0, 10, {}, {}}, false).message, "目前录入的商品代码不存在");
    EXPECT_EQ(checkCardItem(db(), {0, "", "G1", 3, 10, {}, {}}, true).message, "计次卡不能设置非服务性商品");
    EXPECT_EQ(checkCardItem(db(), {0, "", "W1", 3, 10, {}, {}}, true).message, "");
    EXPECT_EQ(checkCardItem(db(), {0, "001", "", 0, 8, {}, {}}, false).message, "");
}

TEST_P(CardClasses, AClassInUseIsNotDeleted)
{
    CardClassForm f = storedValue();
    CardItemSet set;
    set.append({0, "001", "", 0, 8, {}, {}});
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, set).ok);
    exec(db(), "insert into membercurlist(memberno, truecard, cardno, cardstatus) values"
               "('01', '01', '0007', '正常'), ('02a1', '02b1', '0007', '注销')");
    const mc::Done refused = deleteCardClass(db(), "0007");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "该种会员卡存在2个注册会员，无法删除");

    exec(db(), "delete from membercurlist where memberno = '01'");
    EXPECT_EQ(deleteCardClass(db(), "0007").message, "该种会员卡存在1个注册会员，无法删除");  // cancelled still counts
    exec(db(), "delete from membercurlist");
    EXPECT_TRUE(deleteCardClass(db(), "0007").ok);
    EXPECT_FALSE(loadCardClass(db(), "0007"));
    EXPECT_EQ(items("0007"), 0);
}

// A member registered on another workstation while the delete waits for the write lock: the
// count taken before the transaction saw no member and the class went from under it.
TEST_P(CardClasses, TheDeleteCountsMembersInsideItsTransaction)
{
    if (GetParam() == mctest::Engine::Postgres)
        GTEST_SKIP() << "PostgreSQL sees no uncommitted row either way; only SQLite's write lock orders the two";
    CardClassForm f = storedValue();
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, {}).ok);
    std::atomic<bool> registering{false};
    mc::Done deleted;
    mctest::runTogether([&](int i) {
        const QString name = QStringLiteral("station%1").arg(i);
        {
            const QSqlDatabase own = scratch->connect(name);
            if (i == 0) {
                mc::db::Transaction t(own);
                exec(own, "insert into membercurlist(memberno, truecard, cardno, cardstatus) "
                          "values('01', '01', '0007', '正常')");
                registering = true;
                QThread::msleep(300);
                t.commit();
            } else {
                while (!registering)
                    QThread::msleep(5);
                deleted = deleteCardClass(own, "0007");
            }
        }
        mc::db::closeConnection(name);
    });
    EXPECT_FALSE(deleted.ok);
    EXPECT_EQ(deleted.message, "该种会员卡存在1个注册会员，无法删除");
    EXPECT_TRUE(loadCardClass(db(), "0007"));
}

TEST_P(CardClasses, AmountsAreStoredToTheTenThousandth)
{
    CardClassForm f = storedValue();
    f.cardmoney = "20.123456";  // more decimals than money keeps
    f.cardyajin = "0.1";
    f.czqs = "1.123456";        // a multiplier keeps what was typed
    ASSERT_TRUE(saveCardClass(db(), f, EditMode::Adding, {}).ok);
    EXPECT_EQ(column("0007", "cardmoney").toDouble(), mc::Money::fromUnits(201235).toDouble());
    EXPECT_EQ(column("0007", "cardyajin").toDouble(), mc::Money::fromUnits(1000).toDouble());
    EXPECT_DOUBLE_EQ(column("0007", "czqs").toDouble(), 1.123456);
    EXPECT_EQ(loadCardClass(db(), "0007")->cardmoney, "20.12");
}

TEST_P(CardClasses, MemberPickerLists)
{
    exec(db(), "insert into cardclass(cardno, cardname, classname) values('0001', '金卡', '储值卡'), "
               "('0002', '银卡', '储值卡'), ('0003', '次卡', '计次卡'), ('0000', '散客', '折扣卡')");
    exec(db(), "insert into membercurlist(memberno, truecard, membername, cardno, cardstatus) values"
               "('03', '03', '丙', '0002', '正常'), ('01', '01', '甲', '0001', '挂失'), "
               "('02a1', '02b1', '乙', '0001', '注销'), ('04', '04', '丁', '0003', '正常'), "
               "('0000', '0000', '散客', '0000', '正常')");
    const auto numbers = [this](const MemberFilter& f) {
        QStringList list;
        QSqlQuery q = memberPickList(db(), f);
        while (q.next())
            list << q.value(0).toString();
        return list;
    };
    EXPECT_EQ(numbers({}), QStringList({"01", "03", "04"}));
    EXPECT_EQ(numbers({MemberFilter::By::Kind, storedValueKind}), QStringList({"01", "03"}));
    EXPECT_EQ(numbers({MemberFilter::By::Class, "0003"}), QStringList({"04"}));
}

MC_ENGINES(CardClasses);
