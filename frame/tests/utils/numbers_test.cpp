// Checks, rounding, date arithmetic and name[code] texts, as tables of cases.

#include "utils/dates.h"
#include "utils/decimaltext.h"
#include "utils/editcheck.h"
#include "utils/namecode.h"
#include "utils/rounding.h"
#include "utils/textchecks.h"

#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

struct RoundCase {
    int places;
    double value;
    double expected;
};

TEST(Roundto, DoubleRoundingHalfAwayFromZero)
{
    const RoundCase cases[] = {
        {2, 2.055, 2.06},     {1, 2.96, 3.0},        {0, 9.5, 10},         {2, -1.005, -1.01},
        {2, 0, 0},            {2, 1.2449, 1.25},     {3, 0.0625, 0.063},   {-1, 5.5, 0},
        {0, 0.4999, 1},       {2, 2.675, 2.68},      {2, 150000.01, 150000.01},
        {2, 99999.995, 100000}, {1, 0.04, 0.0},      {0, -2.5, -3},        {5, 1.23456, 1.235},
        {2, 1.2349, 1.24},    {2, 1.2341, 1.23},     {2, 12345678.125, 12345678.13},
    };
    for (const RoundCase& c : cases)
        EXPECT_DOUBLE_EQ(mc::roundto(c.places, c.value), c.expected) << c.places << " places of " << c.value;
}

TEST(FixedText, HalfAwayFromZeroOnTheDecimalTyped)
{
    EXPECT_EQ(mc::fixedText(2.675, 2), "2.68");
    EXPECT_EQ(mc::fixedText(-0.001, 2), "0.00");
    EXPECT_EQ(mc::fixedText(0.125, 2), "0.13");
    EXPECT_EQ(mc::fixedText(1e-9, 0), "0");
    EXPECT_EQ(mc::fixedText(-1234.5, 0), "-1235");
    EXPECT_EQ(mc::fixedText(9.999, 2), "10.00");
}

struct DateCase {
    const char* unit;
    int amount;
    QDateTime from;
    QDateTime expected;
};

QDateTime at(int y, int m, int d, int h = 10, int mi = 30, int s = 15)
{
    return QDateTime(QDate(y, m, d), QTime(h, mi, s));
}

TEST(Incdate, EveryUnitAndTheMonthEndRule)
{
    const DateCase cases[] = {
        {"m", 1, at(2027, 1, 31), at(2027, 2, 28)},
        {"m", 1, at(2028, 1, 31), at(2028, 2, 29)},
        {"m", 1, at(2027, 4, 30), at(2027, 5, 31)},    // 30 April is a month end
        {"m", -1, at(2027, 3, 15), at(2027, 2, 15)},
        {"m", 12, at(2027, 2, 28), at(2028, 2, 29)},   // a month end stays a month end
        {"m", 1, at(2027, 1, 30), at(2027, 2, 28)},    // not a month end: clamped
        {"M", -13, at(2027, 1, 10), at(2025, 12, 10)},
        {"m", 11, at(2027, 3, 31), at(2028, 2, 29)},
        {"m", -25, at(2027, 3, 29), at(2025, 2, 28)},
        {"m", 0, at(2027, 6, 30), at(2027, 6, 30)},
        {"y", 1, at(2028, 2, 29), at(2029, 2, 28)},
        {"Y", 4, at(2028, 2, 29), at(2032, 2, 29)},
        {"d", 366, at(2027, 1, 1), at(2028, 1, 2)},
        {"D", -1, at(2027, 3, 1), at(2027, 2, 28)},
        {"h", 25, at(2027, 12, 31, 0, 0, 0), at(2028, 1, 1, 1, 0, 0)},
        {"f", -31, at(2027, 1, 1, 0, 30, 0), at(2026, 12, 31, 23, 59, 0)},
        {"s", 3600 * 24, at(2027, 1, 1), at(2027, 1, 2)},
        {"w", 5, at(2027, 1, 1), at(2027, 1, 1)},      // any other letter: unchanged
        {"", 5, at(2027, 1, 1), at(2027, 1, 1)},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(mc::incdate(QString::fromLatin1(c.unit), c.amount, c.from), c.expected)
            << c.unit << " " << c.amount << " from " << c.from.toString(Qt::ISODate).toStdString();
}

TEST(TextChecks, DigitsNumbersLettersAndVisibleLength)
{
    EXPECT_TRUE(mc::isint(" 12 "));
    EXPECT_FALSE(mc::isint("1.5"));
    EXPECT_FALSE(mc::isint(""));
    EXPECT_FALSE(mc::isint("   "));
    EXPECT_FALSE(mc::isint("-3"));
    EXPECT_FALSE(mc::isint("１２"));  // full-width digits are not digits here

    EXPECT_TRUE(mc::isnumber("-1.5"));
    EXPECT_TRUE(mc::isnumber(" 3 "));
    EXPECT_FALSE(mc::isnumber("1.2.3"));
    EXPECT_FALSE(mc::isnumber("--1"));
    EXPECT_FALSE(mc::isnumber("abc"));
    EXPECT_FALSE(mc::isnumber(""));

    EXPECT_TRUE(mc::isdigits(""));
    EXPECT_TRUE(mc::isdigits("0123"));
    EXPECT_FALSE(mc::isdigits("12a"));
    EXPECT_TRUE(mc::isletters(""));
    EXPECT_TRUE(mc::isletters("abXZ"));
    EXPECT_FALSE(mc::isletters("ab1"));
    EXPECT_FALSE(mc::isletters("中"));

    EXPECT_EQ(mc::charcount(u'-', "1-2-3"), 2);
    EXPECT_EQ(mc::charcount(u'中', "中文中"), 2);

    EXPECT_EQ(mc::showlen("A 中b"), 3);
    EXPECT_EQ(mc::showlen("\t\r\n "), 0);
    EXPECT_EQ(mc::showlen("~!"), 2);
    EXPECT_EQ(mc::showlen("会员卡ＡＢ"), 5);
}

TEST(NameCode, CodesInBracketsAndPadding)
{
    EXPECT_EQ(mc::getcode("会员卡[N12]"), "N12");
    EXPECT_EQ(mc::getnamepart("会员卡[N12]"), "会员卡");
    EXPECT_EQ(mc::getcode("a[1]b[22]"), "22");
    EXPECT_EQ(mc::getnamepart("a[1]b[22]"), "a");
    EXPECT_EQ(mc::getcode("会员卡"), "");
    EXPECT_EQ(mc::getcode("会员卡[N12"), "");
    EXPECT_EQ(mc::getnamepart("会员卡"), "会员卡");

    EXPECT_EQ(mc::padzero("7", 3), "007");
    EXPECT_EQ(mc::padzero("12345", 3), "12345");
    EXPECT_EQ(mc::padspace("ab", 4), "  ab");
    EXPECT_EQ(mc::padspace("", 0), "");
}

struct CheckCase {
    const char* text;
    double min;
    double max;
    mc::EditCheck::Outcome outcome;
    const char* message;
};

TEST(EditChecks, IntegerMessagesAndBounds)
{
    using O = mc::EditCheck::Outcome;
    const CheckCase cases[] = {
        {"", 1, 10, O::UseDefault, ""},
        {"  ", 1, 10, O::UseDefault, ""},
        {"x", 1, 10, O::Reject, "天数录入错误"},
        {"1.5", 0, 0, O::Reject, "天数录入错误"},
        {"5", 0, 0, O::Accept, ""},
        {"-5", 0, 0, O::Accept, ""},  // no bounds at all
        {"0", 1, 10, O::Reject, "天数的数值不应小于1"},
        {"11", 1, 10, O::Reject, "天数的数值不应大于10"},
        {"10", 1, 10, O::Accept, ""},
        {"3", 1, 0, O::Reject, "天数的数值不应大于0"},  // the other bound, 0, still applies
        {"-1", 0, 5, O::Reject, "天数的数值不应小于0"},
    };
    for (const CheckCase& c : cases) {
        const mc::EditCheck r = mc::checkIntText(QString::fromUtf8(c.text), "天数", int(c.min), int(c.max));
        EXPECT_EQ(r.outcome, c.outcome) << c.text;
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.text;
    }
}

TEST(EditChecks, FloatMessagesBoundsAndSinglePrecision)
{
    using O = mc::EditCheck::Outcome;
    const CheckCase cases[] = {
        {"", 0.5, 9.5, O::UseDefault, ""},
        {"1.2.3", 0.5, 9.5, O::Reject, "金额录入错误"},
        {"0.49", 0.5, 9.5, O::Reject, "金额的数值不应小于0.50"},
        {"9.51", 0.5, 9.5, O::Reject, "金额的数值不应大于9.50"},
        {"9.5", 0.5, 9.5, O::Accept, ""},
        {"-3", 0, 0, O::Accept, ""},
        {"0.1", 0, 0.1, O::Accept, ""},           // 0.1 and 0.1 meet in single precision
        {"0.100000001", 0, 0.1, O::Accept, ""},   // equal in single precision
        {"2", 1, 0, O::Reject, "金额的数值不应大于0.00"},
        {"1e400", 0, 0, O::Reject, "金额录入错误"},
    };
    for (const CheckCase& c : cases) {
        const mc::EditCheck r = mc::checkFloatText(QString::fromUtf8(c.text), "金额", c.min, c.max);
        EXPECT_EQ(r.outcome, c.outcome) << c.text;
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.text;
    }
}

}  // namespace
