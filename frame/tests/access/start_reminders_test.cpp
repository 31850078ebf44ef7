// The reminder checks run after start.

#include "database.h"
#include "scratch_database.h"
#include "settings_cache.h"
#include "start_reminders.h"

#include <gtest/gtest.h>

namespace {

const QDateTime now(QDate(2026, 12, 30), QTime(10, 0));

}  // namespace

class StartReminders : public mctest::EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        mc::db::exec(db(), "insert into cardclass(cardno, cardname, classname) values('0001', '金卡', '储值卡'), "
                           "('0002', '银卡', '折扣卡')");
    }
    void member(const char* no, const QVariant& birthday, const char* status = "正常", const char* cardno = "0001",
                double money = 100, double points = 0, const QDateTime& dqdate = now.addYears(1))
    {
        mc::db::exec(db(), "insert into membercurlist(memberno, cardno, cardstatus, birthday, curmoney, xfjf, dqdate, "
                           "lastnfdate) values(?, ?, ?, ?, ?, ?, ?, ?)",
                     {no, cardno, status, birthday, money, points, dqdate, now.addYears(-1)});
    }
    QStringList found(mc::Reminder r) { return mc::reminderMembers(db(), r, s, now); }
    mc::SettingsCache s;
};

TEST_P(StartReminders, BirthdaysAcrossTheTurnOfTheYearAreFound)
{
    member("01", QDateTime(QDate(1990, 1, 3), QTime()));    // 30 December + 7 days
    member("02", QDateTime(QDate(1985, 12, 23), QTime()));  // 30 December − 7 days
    member("03", QDateTime(QDate(1985, 12, 22), QTime()));
    member("04", QDateTime(QDate(1985, 1, 7), QTime()));
    member("05", QDateTime(QDate(1980, 1, 3), QTime()), "注销");
    member("06", QVariant());
    s.txdays = 7;
    EXPECT_EQ(found(mc::Reminder::Birthday), QStringList({"01", "02"}));

    // A window inside one year, both ends included.
    const QDateTime june(QDate(2008, 6, 10), QTime(9, 0));
    member("07", QDateTime(QDate(1970, 6, 7), QTime()));
    member("08", QDateTime(QDate(1970, 6, 13), QTime()));
    member("09", QDateTime(QDate(1970, 6, 14), QTime()));
    s.txdays = 3;
    EXPECT_EQ(mc::reminderMembers(db(), mc::Reminder::Birthday, s, june), QStringList({"07", "08"}));
    // A window of a whole year finds every birthday.
    s.txdays = 200;
    EXPECT_EQ(found(mc::Reminder::Birthday).size(), 7);
}

TEST_P(StartReminders, ExpiryLowBalanceAndPoints)
{
    member("01", QVariant(), "正常", "0001", 100, 0, now.addDays(-1));  // expired yesterday
    member("02", QVariant(), "正常", "0001", 9.5, 0, now.addDays(4));
    member("03", QVariant(), "正常", "0002", 1, 500, now.addDays(6));
    member("04", QVariant(), "注销", "0001", 1, 500, now.addDays(1));
    // A card that never expires: dqdate equal to lastnfdate.
    mc::db::exec(db(), "insert into membercurlist(memberno, cardno, cardstatus, curmoney, dqdate, lastnfdate) "
                       "values(?, ?, ?, ?, ?, ?)",
                 {"05", "0001", "正常", 100.0, now.addDays(-30), now.addDays(-30)});
    s.dqtxday = 5;
    EXPECT_EQ(found(mc::Reminder::Expiry), QStringList({"01", "02"}));

    // The amount keeps its decimals; discount cards are not stored-value cards.
    s.yetxje = 9.5;
    EXPECT_EQ(found(mc::Reminder::LowBalance), QStringList({"02"}));

    s.jftx = 499;
    EXPECT_EQ(found(mc::Reminder::Points), QStringList({"03"}));
    s.jftx = 500;
    EXPECT_TRUE(found(mc::Reminder::Points).isEmpty());
}

TEST_P(StartReminders, BirthdayMessagesGoOncePerDay)
{
    member("01", QDateTime(QDate(1990, 12, 30), QTime()));
    member("02", QDateTime(QDate(1990, 12, 30), QTime()));
    member("03", QDateTime(QDate(1990, 12, 31), QTime()));
    const QString sms = "insert into smssend(memberno, pdate, issrdx) values(?, ?, ?)";
    mc::db::exec(db(), sms, {"01", now.addSecs(-3600), true});
    mc::db::exec(db(), sms, {"02", now.addDays(-365), true});  // last year's
    mc::db::exec(db(), sms, {"02", now, false});               // not a birthday message
    mc::db::exec(db(), sms, {QVariant(), now, true});          // without a member: must not hide the others
    EXPECT_EQ(found(mc::Reminder::BirthdaySms), QStringList({"02"}));
}

TEST(StartReminderSwitches, EachCheckFollowsItsSwitch)
{
    mc::SettingsCache s;
    for (mc::Reminder r : mc::reminderOrder())
        EXPECT_FALSE(mc::reminderOn(r, s));
    s.srtx = s.dqtx = s.yetx = s.membersrsend = s.usejftx = true;
    EXPECT_FALSE(mc::reminderOn(mc::Reminder::Points, s));  // needs a level above 0
    s.jftx = 1;
    for (mc::Reminder r : mc::reminderOrder())
        EXPECT_TRUE(mc::reminderOn(r, s));
    EXPECT_EQ(mc::reminderOrder().first(), mc::Reminder::Birthday);
    EXPECT_EQ(mc::reminderOrder().last(), mc::Reminder::Points);
}

MC_ENGINES(StartReminders);
