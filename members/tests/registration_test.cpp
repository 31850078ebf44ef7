// Member registration against real databases on both engines: the three card kinds, every
// refusal with its message, the points, the IC write as the last step, and that a refused or
// failed save leaves every table as it was.

#include "books_check.h"
#include "custom_fields.h"
#include "database.h"
#include "registration.h"
#include "registration_ticket.h"
#include "scratch_database.h"

#include <QSqlRecord>

#include <functional>

using mc::Money;
using mc::db::exec;
using mc::db::scalar;
using namespace mc::members;
using mctest::EngineTest;

namespace {

const QDateTime registeredAt(QDate(2008, 1, 31), QTime(10, 30, 15));

class Registration : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        session.operatorCode = "0001";
        session.operatorName = "王收银";
        session.now = registeredAt;
        exec(db(), "insert into gszh(zhname, curye) values('现金', 50), ('银行', 0)");
        // Stored value: price 20, deposit 10, 1.1 credited per yuan, never expires.
        exec(db(), "insert into cardclass(cardno, cardname, classname, cardmoney, cardyajin, czqs, cardyf, cardts, cardcs) "
                   "values('0001', '金卡', '储值卡', 20, 10, 1.1, 0, 0, 0), "
                   "('0002', '折扣卡A', '折扣卡', 50, 0, 1, 12, 0, 0), "
                   "('0003', '洗车卡', '计次卡', 300, 0, 1, 1, 0, 10)");
        exec(db(), "insert into cardfj(cardno, xmno, xfcs) values('0003', 'W1', 6), ('0003', 'W2', 4)");
    }

    RegistrationInput input(const QString& memberno, const QString& cardno)
    {
        RegistrationInput in;
        in.memberno = memberno;
        in.truecard = "C" + memberno;
        in.membername = "张三";
        in.sex = "男";
        in.cardno = cardno;
        in.khjkfs = "现金";
        return in;
    }
    mc::Result<RegistrationDone> save(const RegistrationInput& in, const IcCardWrite& write = {})
    {
        return registerMember(db(), session, settings, in, write);
    }
    QVariant member(const QString& memberno, const QString& column)
    {
        return scalar(db(), "select " + column + " from membercurlist where memberno = ?", {memberno});
    }
    QVariant journal(const QString& memberno, const QString& column)
    {
        return scalar(db(), "select " + column + " from memberxx where memberno = ?", {memberno});
    }
    int count(const QString& table) { return scalar(db(), "select count(*) from " + table).toInt(); }
    // Every row of every table a registration writes, as text.
    QStringList books()
    {
        QStringList rows;
        for (const char* table : {"membercurlist", "memberxx", "memberjf", "memberfj", "gszh", "actormoney", "czrz"}) {
            QSqlQuery q = exec(db(), QStringLiteral("select * from %1 order by pid").arg(table));
            while (q.next()) {
                QStringList cells;
                for (int c = 0; c < q.record().count(); ++c)
                    cells << q.value(c).toString();
                rows << QString::fromUtf8(table) + ": " + cells.join('|');
            }
        }
        return rows;
    }
    void pointsOnDeposit(double mxfje, double jsrjf, int tjjf)
    {
        exec(db(), "insert into xfjf(jfzt, jffs, mxfje, usejsr, jsrjf, usetjjf, tjjf) values(?, '存款时积分', ?, ?, ?, ?, ?)",
             {true, mxfje, jsrjf != 0, jsrjf, tjjf != 0, tjjf});
    }

    mc::Session session;
    RegistrationSettings settings{0, 2};
};

}  // namespace

TEST_P(Registration, StoredValueCardCreditsTheDepositTimesTheMultiplier)
{
    RegistrationInput in = input("1001", "0001");
    in.deposit = "100";
    in.khyhje = Money::fromUnits(50000);  // 5.00
    in.password = "1234";
    const auto r = save(in);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.message, "保存完成");
    EXPECT_EQ(r.value.curmoney.text(), "110.00");
    EXPECT_EQ(r.value.khhjys.text(), "130.00");
    EXPECT_EQ(r.value.khssje.text(), "125.00");
    EXPECT_EQ(r.value.truecard, "C1001");

    EXPECT_DOUBLE_EQ(member("1001", "curmoney").toDouble(), 110);
    EXPECT_DOUBLE_EQ(member("1001", "ljczje").toDouble(), 110);
    EXPECT_DOUBLE_EQ(member("1001", "sjckje").toDouble(), 100);
    EXPECT_DOUBLE_EQ(member("1001", "khcksj").toDouble(), 100);
    EXPECT_DOUBLE_EQ(member("1001", "khssje").toDouble(), 125);
    EXPECT_EQ(member("1001", "cardstatus").toString(), "正常");
    EXPECT_EQ(member("1001", "memberpym").toString(), "ZHANGSAN");
    EXPECT_NE(member("1001", "memberpwd").toString(), "");
    EXPECT_NE(member("1001", "memberpwd").toString(), "1234");
    // Never expires: the expiry is the start of the validity.
    EXPECT_EQ(mc::db::toDateTime(member("1001", "dqdate")), registeredAt);
    EXPECT_EQ(mc::db::toDateTime(member("1001", "lastnfdate")), registeredAt);

    // 125 into the cash account (which held 50) and the ledger row with the new balance.
    EXPECT_DOUBLE_EQ(scalar(db(), "select curye from gszh where zhname = '现金'").toDouble(), 175);
    QSqlQuery ledger = exec(db(), "select sfkxm, skje, ysje, zhye, actorid, memberno from actormoney");
    ASSERT_TRUE(ledger.next());
    EXPECT_EQ(ledger.value(0).toString(), "会员注册");
    EXPECT_DOUBLE_EQ(ledger.value(1).toDouble(), 125);
    EXPECT_DOUBLE_EQ(ledger.value(2).toDouble(), 125);
    EXPECT_DOUBLE_EQ(ledger.value(3).toDouble(), 175);
    EXPECT_EQ(ledger.value(4).toString(), "0001");
    EXPECT_EQ(ledger.value(5).toString(), "1001");

    // The opening journal row carries the member's pid, written in the same transaction.
    EXPECT_EQ(journal("1001", "zmfs").toString(), "开户");
    EXPECT_EQ(journal("1001", "memberid").toInt(), r.value.pid);
    EXPECT_EQ(member("1001", "pid").toInt(), r.value.pid);
    EXPECT_DOUBLE_EQ(journal("1001", "ckje").toDouble(), 110);
    EXPECT_DOUBLE_EQ(journal("1001", "curye").toDouble(), 110);
    EXPECT_DOUBLE_EQ(journal("1001", "sjjkje").toDouble(), 100);
    EXPECT_TRUE(journal("1001", "issk").toBool());
    EXPECT_EQ(journal("1001", "actor").toString(), "王收银");
    EXPECT_EQ(scalar(db(), "select cznr from czrz").toString(), "1001张三会员注册");
    EXPECT_EQ(count("memberjf"), 0);
}

TEST_P(Registration, DiscountCardTakesNoDepositAndRunsForItsMonths)
{
    RegistrationInput in = input("1002", "0002");
    in.deposit = "80";  // the field is hidden for discount cards
    const auto r = save(in);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_TRUE(r.value.curmoney.isZero());
    EXPECT_TRUE(r.value.khcksj.isZero());
    EXPECT_EQ(r.value.khssje.text(), "50.00");
    EXPECT_EQ(r.value.dqdate, QDateTime(QDate(2009, 1, 31), registeredAt.time()));
    EXPECT_EQ(journal("1002", "zmfs").toString(), "开户");
    EXPECT_DOUBLE_EQ(journal("1002", "ckje").toDouble(), 0);
    EXPECT_DOUBLE_EQ(scalar(db(), "select curye from gszh where zhname = '现金'").toDouble(), 100);
}

TEST_P(Registration, CountCardCountsUsesAndCopiesTheClassItems)
{
    pointsOnDeposit(1, 10, 5);
    exec(db(), "insert into membercurlist(memberno, truecard, membername, xfjf) values('0500', 'X', '李四', 0)");
    RegistrationInput in = input("1003", "0003");
    in.rhjsr = "0500";
    const auto r = save(in);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.curcs, 10);
    EXPECT_EQ(member("1003", "curcs").toInt(), 10);
    EXPECT_DOUBLE_EQ(member("1003", "curmoney").toDouble(), 0);
    // One month from the last day of January is the last day of February.
    EXPECT_EQ(r.value.dqdate, QDateTime(QDate(2008, 2, 29), registeredAt.time()));
    EXPECT_EQ(journal("1003", "zmfs").toString(), "计次开户");
    EXPECT_DOUBLE_EQ(journal("1003", "ckje").toDouble(), 10);
    EXPECT_DOUBLE_EQ(journal("1003", "curye").toDouble(), 10);
    // No points for count cards, the introducer's included.
    EXPECT_EQ(count("memberjf"), 0);
    EXPECT_DOUBLE_EQ(member("0500", "xfjf").toDouble(), 0);
    EXPECT_EQ(member("1003", "jsrname").toString(), "李四");

    QSqlQuery items = exec(db(), "select xmno, xfcs, cscs, bdate, dqdate, isgq from memberfj where memberno = '1003' order by xmno");
    ASSERT_TRUE(items.next());
    EXPECT_EQ(items.value(0).toString(), "W1");
    EXPECT_EQ(items.value(1).toInt(), 6);
    EXPECT_EQ(items.value(2).toInt(), 6);
    EXPECT_EQ(mc::db::toDateTime(items.value(3)), registeredAt);
    EXPECT_EQ(mc::db::toDateTime(items.value(4)), r.value.dqdate);
    EXPECT_FALSE(items.value(5).toBool());
    ASSERT_TRUE(items.next());
    EXPECT_EQ(items.value(1).toInt(), 4);
}

TEST_P(Registration, DepositPointsAndTheIntroducersShare)
{
    pointsOnDeposit(1, 10, 3);
    exec(db(), "insert into membercurlist(memberno, truecard, membername, xfjf) values('0500', 'X', '李四', 7)");
    RegistrationInput in = input("1004", "0001");
    in.deposit = "105";
    in.rhjsr = "0500";
    const auto r = save(in);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.xfjf, 105);
    EXPECT_DOUBLE_EQ(member("1004", "xfjf").toDouble(), 105);
    EXPECT_EQ(journal("1004", "bcxfjf").toInt(), 105);
    // 3 for recommending, then 105 / 10 = 10.5, which rounds to the even 10.
    EXPECT_DOUBLE_EQ(member("0500", "xfjf").toDouble(), 7 + 3 + 10);
    QSqlQuery log = exec(db(), "select memberno, jffs, hdjf, curjf, actor from memberjf order by pid");
    const QStringList expected = {"0500|推荐积分|3|10|王收银", "0500|介绍人积分|10|20|王收银", "1004|存款积分|105|105|王收银"};
    QStringList rows;
    while (log.next())
        rows << QStringList{log.value(0).toString(), log.value(1).toString(), log.value(2).toString(),
                            log.value(3).toString(), log.value(4).toString()}
                    .join('|');
    EXPECT_EQ(rows, expected);
}

TEST_P(Registration, EveryRefusalHasItsMessageAndChangesNothing)
{
    exec(db(), "insert into membercurlist(memberno, truecard, membername, cardstatus) values('2000', 'T2000', '旧', '注销')");
    FieldDefinition grade;
    grade.name = "dj";
    grade.display = "等级";
    grade.type = "整数";
    grade.required = false;
    ASSERT_TRUE(addCustomField(db(), grade, registeredAt.date()).ok);
    FieldDefinition note = grade;
    note.name = "bz";
    note.display.clear();
    note.type = "文本";
    note.length = "20";
    ASSERT_TRUE(addCustomField(db(), note, registeredAt.date()).ok);
    // Only the note must be filled.
    exec(db(), "update selffields set iszero = ? where fieldname = 'dj'", {false});
    exec(db(), "update selffields set iszero = ? where fieldname = 'bz'", {true});
    const QStringList before = books();

    const struct {
        const char* what;
        std::function<void(RegistrationInput&)> change;
        const char* message;
        const char* field;
    } cases[] = {
        {"identity length", [](auto& in) { in.sfzh = "1234567890"; }, "身份证号输入错误", "sfzh"},
        {"identity date", [](auto& in) { in.sfzh = "110101199902301234"; }, "身份证号输入错误", "sfzh"},
        {"deposit text", [](auto& in) { in.deposit = "12a"; }, "实存金额录入错误", "deposit"},
        {"deposit below 0", [](auto& in) { in.deposit = "-5"; }, "实存金额录入错误", "deposit"},
        {"member number", [](auto& in) { in.memberno = " "; }, "会员编号必须录入", "memberno"},
        {"card number", [](auto& in) { in.truecard.clear(); }, "卡号必须录入", "truecard"},
        {"name", [](auto& in) { in.membername.clear(); }, "姓名必须录入", "membername"},
        {"class", [](auto& in) { in.cardno.clear(); }, "卡类型必须录入", "cardno"},
        {"account", [](auto& in) { in.khjkfs.clear(); }, "收款方式必须录入", "khjkfs"},
        {"custom required", [](auto& in) { in.custom.remove("bz"); }, "自定义字段bz不能为空", "bz"},
        {"custom number", [](auto& in) { in.custom["dj"] = "二"; }, "自定义字段等级的内容不正确", "dj"},
        {"custom unknown", [](auto& in) { in.custom["nope"] = "1"; }, "自定义字段nope不存在", ""},
        {"number taken, even by a cancelled row", [](auto& in) { in.memberno = "2000"; },
         "错误，会员编号重复,可能存在同号注销人员", "memberno"},
        {"card taken", [](auto& in) { in.truecard = "T2000"; }, "错误，会员卡号重复,可能存在同号注销人员", "truecard"},
        {"class missing", [](auto& in) { in.cardno = "0009"; }, "卡类型不存在", "cardno"},
        {"reserved class", [](auto& in) { in.cardno = "0000"; }, "卡类型不存在", "cardno"},
        {"account missing", [](auto& in) { in.khjkfs = "支付宝"; }, "收款帐号不存在", "khjkfs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RegistrationInput in = input("3000", "0001");
        in.custom["bz"] = "备注";
        c.change(in);
        const auto r = save(in);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
        EXPECT_EQ(r.field, QString::fromUtf8(c.field));
        EXPECT_EQ(books(), before);
    }

    // The same input with the faults taken out goes through, custom values stored typed.
    RegistrationInput in = input("3000", "0001");
    in.custom["bz"] = "备注";
    in.custom["dj"] = 3;
    ASSERT_TRUE(save(in).ok);
    EXPECT_EQ(member("3000", "dj").toInt(), 3);
    EXPECT_EQ(member("3000", "bz").toString(), "备注");
}

TEST_P(Registration, MemberNumberIsPaddedAndWithoutADeviceIsTheCardNumber)
{
    settings.memberws = 8;
    RegistrationInput in = input(" 123", "0002");
    in.cardMode = 3;
    in.truecard.clear();
    const auto r = save(in);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.memberno, "00000123");
    EXPECT_EQ(r.value.truecard, "00000123");
    EXPECT_EQ(member("00000123", "truecard").toString(), "00000123");

    // The padded number is the one checked for duplicates.
    RegistrationInput again = input("0123", "0002");
    EXPECT_EQ(save(again).message, "错误，会员编号重复,可能存在同号注销人员");
    EXPECT_EQ(paddedMemberNo("123456789", 8), "123456789");
    EXPECT_EQ(paddedMemberNo("12", 0), "12");
}

TEST_P(Registration, IdentityNumberGivesTheBirthday)
{
    EXPECT_EQ(birthdayFromIdentity("110101850315123"), QDate(1985, 3, 15));
    EXPECT_EQ(birthdayFromIdentity("11010120000229123X"), QDate(2000, 2, 29));
    EXPECT_FALSE(birthdayFromIdentity("11010119990229123X"));
    EXPECT_FALSE(birthdayFromIdentity("1101011985031512"));

    RegistrationInput in = input("1005", "0002");
    in.sfzh = "11010119800704123X";
    ASSERT_TRUE(save(in).ok);
    EXPECT_EQ(mc::db::toDateTime(member("1005", "birthday")).date(), QDate(1980, 7, 4));

    // A birthday the operator typed over the identity number's stays.
    RegistrationInput typed = input("1006", "0002");
    typed.sfzh = "11010119800704123X";
    typed.birthday = QDate(1980, 7, 5);
    ASSERT_TRUE(save(typed).ok);
    EXPECT_EQ(mc::db::toDateTime(member("1006", "birthday")).date(), QDate(1980, 7, 5));
}

TEST_P(Registration, IcCardIsWrittenLastAndAFailedWriteTakesEverythingBack)
{
    pointsOnDeposit(1, 10, 3);
    exec(db(), "insert into membercurlist(memberno, truecard, membername, xfjf) values('0500', 'X', '李四', 7)");
    settings.memberws = 10;
    RegistrationInput in = input("42", "0001");
    in.cardMode = 2;
    in.deposit = "100";
    in.rhjsr = "0500";
    const QStringList before = books();

    mc::devices::IcCardData written;
    int members = -1;
    const auto refused = save(in, [&](const mc::devices::IcCardData& d) {
        written = d;
        members = count("membercurlist");  // everything else is written by now
        return false;
    });
    EXPECT_EQ(refused.message, "未完成写卡，无法保存");
    EXPECT_EQ(members, 2);
    EXPECT_EQ(books(), before);
    EXPECT_TRUE(written.newCard);
    EXPECT_EQ(written.cardNumber, "0000000042");
    EXPECT_EQ(written.kindText, "储值卡");
    EXPECT_EQ(written.classCode, "0001");
    EXPECT_DOUBLE_EQ(written.value, 110);
    EXPECT_EQ(written.expiryText, "a2008-01-31");

    // Without a writer there is no card, so no registration either.
    EXPECT_EQ(save(in).message, "未完成写卡，无法保存");
    EXPECT_EQ(books(), before);

    const auto r = save(in, [](const mc::devices::IcCardData&) { return true; });
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(member("0000000042", "truecard").toString(), "0000000042");
}

TEST_P(Registration, CountCardOnIcCardCarriesItsUsesAndExpiry)
{
    RegistrationInput in = input("7", "0003");
    in.cardMode = 2;
    settings.memberws = 10;
    mc::devices::IcCardData written;
    ASSERT_TRUE(save(in, [&](const mc::devices::IcCardData& d) {
                    written = d;
                    return true;
                }).ok);
    EXPECT_DOUBLE_EQ(written.value, 10);
    EXPECT_EQ(written.expiryText, "b2008-02-29");
}

TEST_P(Registration, DatabaseFailureShowsTheSaveMessageAndKeepsTheBooks)
{
    // Without the counted-items table the last statement of the save fails.
    const QStringList before = books();
    exec(db(), "drop table memberfj");
    RegistrationInput in = input("1007", "0001");
    in.deposit = "10";
    const auto r = save(in);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith("出现错误，无法保存\n")) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains("\n错误:")) << r.message.toStdString();
    for (const char* table : {"membercurlist", "memberxx", "actormoney", "czrz"})
        EXPECT_EQ(count(table), 0) << table;
    EXPECT_DOUBLE_EQ(scalar(db(), "select curye from gszh where zhname = '现金'").toDouble(), 50);
}

TEST_P(Registration, FailureAtTheLastWriteLeavesEveryTableAsItWas)
{
    // Every table written — account, ledger, both members' points, both member rows, journal,
    // log — before the counted items, whose second row then breaks a unique index: the very last
    // statement of the save fails.
    pointsOnDeposit(1, 10, 3);
    exec(db(), "insert into membercurlist(memberno, truecard, membername, xfjf) values('0500', 'X', '李四', 7)");
    exec(db(), "insert into cardfj(cardno, xmno, xfcs) values('0001', 'V1', 1), ('0001', 'V2', 1)");
    exec(db(), "create unique index memberfj_one_item on memberfj(memberno)");
    const QStringList before = books();
    RegistrationInput in = input("1008", "0001");
    in.deposit = "105";
    in.rhjsr = "0500";
    const auto r = save(in);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith("出现错误，无法保存\n")) << r.message.toStdString();
    EXPECT_EQ(books(), before);
}

TEST_P(Registration, PointsOfAnExactHalfRoundToEven)
{
    // 1.15 / 0.10 is 11.5 exactly, which goes to the even 12; divided as doubles it comes out
    // 11.499999999999998 and would go down to 11.
    pointsOnDeposit(0.1, 0, 0);
    RegistrationInput in = input("1010", "0001");
    in.deposit = "1.15";
    const auto r = save(in);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.value.xfjf, 12);
    in = input("1011", "0001");
    in.deposit = "1.05";  // 10.5 → the even 10
    EXPECT_EQ(save(in).value.xfjf, 10);
}

TEST_P(Registration, BooksBalanceAfterRegistrationsAndFailedOnes)
{
    exec(db(), "update gszh set curye = 0");  // the fixture's opening balance has no ledger row
    pointsOnDeposit(1, 10, 3);
    RegistrationInput introducer = input("0500", "0002");
    ASSERT_TRUE(save(introducer).ok);
    RegistrationInput stored = input("1001", "0001");
    stored.deposit = "105";
    stored.khyhje = Money::fromUnits(50000);
    stored.rhjsr = "0500";
    ASSERT_TRUE(save(stored).ok);
    RegistrationInput count = input("1002", "0003");
    count.khjkfs = "银行";
    ASSERT_TRUE(save(count).ok);
    // A card not written and a refusal leave nothing behind to unbalance.
    RegistrationInput ic = input("7", "0001");
    ic.cardMode = 2;
    ic.deposit = "10";
    EXPECT_FALSE(save(ic, [](const mc::devices::IcCardData&) { return false; }).ok);
    EXPECT_FALSE(save(input("1001", "0001")).ok);

    const mc::books::BooksReport report = mc::books::checkBooks(db());
    EXPECT_TRUE(report.balanced()) << report.broken.join('\n').toStdString();
    EXPECT_EQ(report.checked.members, 3);
    EXPECT_EQ(report.checked.accounts, 2);
    EXPECT_DOUBLE_EQ(member("0500", "xfjf").toDouble(), 3 + 10);
}

TEST(RegistrationTicket, LinesByKind)
{
    RegistrationDone m;
    m.memberno = "1001";
    m.membername = "张三";
    m.cardname = "金卡";
    m.classname = "储值卡";
    m.curmoney = Money::fromUnits(1100000);
    m.khcksj = Money::fromUnits(1000000);
    m.khkjg = Money::fromUnits(200000);
    m.khyhje = Money::fromUnits(50000);
    m.khssje = Money::fromUnits(1250000);
    m.khjkfs = "现金";
    m.khdate = registeredAt;
    m.dqdate = registeredAt;
    m.xfjf = 100;
    EXPECT_EQ(registrationTicket(m, "王收银", registeredAt),
              QStringList({"会员编号:1001", "会员姓名张三", "类别:会员注册", "卡类型:金卡", "卡大类:储值卡",
                           "卡内实存:110.00", "实交存款:100.00", "卡价格:20.00", "优惠金额:5.00",
                           "实收金额:125.00", "交款方式:现金", "开户积分:100", "操作员:王收银",
                           "开户日期:2008-01-31", "开户时间:10:30:15"}));

    m.classname = "计次卡";
    m.curmoney = Money();
    m.khcksj = Money();
    m.curcs = 10;
    m.khyhje = Money();
    m.xfjf = 0;
    m.dqdate = QDateTime(QDate(2008, 2, 29), registeredAt.time());
    EXPECT_EQ(registrationTicket(m, "王收银", registeredAt),
              QStringList({"会员编号:1001", "会员姓名张三", "类别:会员注册", "卡类型:金卡", "卡大类:计次卡",
                           "消费次数:10", "卡价格:20.00", "实收金额:125.00", "交款方式:现金",
                           "到期日期:2008-02-29", "操作员:王收银", "开户日期:2008-01-31", "开户时间:10:30:15"}));
}

MC_ENGINES(Registration);
