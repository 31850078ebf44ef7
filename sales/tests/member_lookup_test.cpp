// The checkout's member lookup on both engines: each refusal in its order, and a member found.

#include "database.h"
#include "member_lookup.h"
#include "scratch_database.h"

using mc::db::exec;
using namespace mc::sales;
using mctest::EngineTest;

namespace {

const QDate today(2026, 12, 11);

class Lookup : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        exec(db(), "insert into cardclass(cardno, cardname, classname) values('0001', '金卡', '储值卡'), "
                   "('0003', '洗车十次卡', '计次卡')");
        const QDateTime start(QDate(2026, 1, 1), QTime(9, 0));
        const QDateTime nextYear(QDate(2027, 1, 1), QTime(9, 0));
        const QDateTime yesterday(today.addDays(-1), QTime(23, 59));
        member("00000001", "C1", "0001", "正常", start, nextYear);
        member("00000002", "C2", "0001", "挂失", start, nextYear);
        member("00000003", "C3", "0001", "注销", start, nextYear);
        member("00000004", "C4", "0001", "正常", start, yesterday);
        member("00000005", "C5", "0001", "挂失", start, yesterday);          // lost and expired
        member("00000006", "C6", "0001", "正常", start.addYears(-5), start.addYears(-5));  // never expires
        member("00000007", "C7", "0003", "正常", start, nextYear);
        member("00000008", "C8", "0001", "正常", start, QDateTime(today, QTime(0, 0)));  // expires tonight
        member("00000009", "C9", "0003", "正常", start, yesterday);          // expired count card
        exec(db(), "update membercurlist set birthday = ?, curmoney = 12.5 where memberno = '00000001'",
             {QDateTime(QDate(1990, 12, 11), QTime(0, 0))});
    }
    void member(const QString& no, const QString& card, const QString& cardno, const QString& status,
                const QDateTime& lastnfdate, const QDateTime& dqdate)
    {
        exec(db(),
             "insert into membercurlist(memberno, truecard, membername, cardno, cardstatus, khdate, lastnfdate, dqdate) "
             "values(?, ?, ?, ?, ?, ?, ?, ?)",
             {no, card, "会员" + no, cardno, status, lastnfdate, lastnfdate, dqdate});
    }
};

TEST_P(Lookup, RefusesInTheCheckoutsOrder)
{
    const struct {
        const char* card;
        const char* message;
    } cases[] = {
        {"C0", "无法找到该卡号"},
        {"C3", "无法找到该卡号"},  // a cancelled card is not found
        {"C2", "该卡已经被挂失，无法消费"},
        {"C5", "该卡已经被挂失，无法消费"},  // lost comes before expired
        {"C4", "该卡已经过期，无法消费"},
        {"C9", "该卡已经过期，无法消费"},  // expired comes before the count card
        {"C7", "该卡是计次卡，请使用计次消费"},
    };
    for (const auto& c : cases) {
        const auto found = lookupForCheckout(db(), LookupBy::Card, c.card, today);
        EXPECT_FALSE(found.ok) << c.card;
        EXPECT_EQ(found.message, QString::fromUtf8(c.message)) << c.card;
    }
}

TEST_P(Lookup, FindsTheMemberWithItsClass)
{
    const auto found = lookupForCheckout(db(), LookupBy::Card, "C1", today);
    ASSERT_TRUE(found.ok) << found.message.toStdString();
    EXPECT_EQ(found.message, "今天是该会员的生日");
    EXPECT_EQ(found.value.row.value("memberno").toString(), "00000001");
    EXPECT_DOUBLE_EQ(found.value.row.value("curmoney").toDouble(), 12.5);
    EXPECT_EQ(found.value.classname, "储值卡");
    EXPECT_EQ(found.value.cardname, "金卡");
    EXPECT_FALSE(found.value.row.contains("lookup_classname"));

    const auto byNumber = lookupForCheckout(db(), LookupBy::MemberNo, "00000006", today);
    ASSERT_TRUE(byNumber.ok) << byNumber.message.toStdString();  // dqdate = lastnfdate: never expires
    EXPECT_EQ(byNumber.value.row.value("truecard").toString(), "C6");
    EXPECT_TRUE(byNumber.message.isEmpty());

    EXPECT_TRUE(lookupForCheckout(db(), LookupBy::Card, "C8", today).ok);  // valid through today
    EXPECT_FALSE(lookupForCheckout(db(), LookupBy::MemberNo, "C1", today).ok);  // a card number is no member number
}

TEST_P(Lookup, TheCountCardCheckoutFindsCountCards)
{
    const auto found = findMember(db(), LookupBy::Card, "C7", today);
    ASSERT_TRUE(found.ok);
    EXPECT_TRUE(found.value.isCountCard());
}

MC_ENGINES(Lookup);

}  // namespace
