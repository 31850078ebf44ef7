// Fixed-point money: R() agrees with the rounding rule, text in and out, exact sums.

#include "utils/money.h"
#include "utils/rounding.h"

#include "qt_print.h"

#include <gtest/gtest.h>

namespace {

using mc::Money;

TEST(Money, RoundedAgreesWithRoundtoAtEveryPlaceOnTheEdges)
{
    // The edges of the rule: halves at each place, the double step (x.xx49 → x.xx5 → up), values
    // just below a half that a binary double would misplace, negatives and large amounts.
    const double values[] = {0,        0.0001, 0.0004,   0.0005,    0.0049,     0.005,    0.0449,
                             0.045,    0.4999, 0.5,      1.005,     1.2449,     1.2341,   2.055,
                             2.675,    2.96,   9.5,      99999.995, 150000.01,  -1.005,   -2.5,
                             -0.0005,  -1.2449, 12345678.125, 0.0625, 1.23456, 7.77775};
    for (int places = 0; places <= 4; ++places)
        for (double v : values)
            EXPECT_EQ(Money::rounded(places, v).toDouble(), mc::roundto(places, v))
                << places << " places of " << v;
}

TEST(Money, RoundedOfNegativePlacesOrZeroIsZero)
{
    EXPECT_TRUE(Money::rounded(-1, 5.5).isZero());
    EXPECT_TRUE(Money::rounded(2, 0).isZero());
}

TEST(Money, TextInAndOut)
{
    struct Case {
        const char* typed;
        bool valid;
        const char* shown;  // at two places
    };
    const Case cases[] = {
        {"12", true, "12.00"},     {"12.5", true, "12.50"},  {"-3.005", true, "-3.01"},
        {"0.0001", true, "0.00"},  {".5", true, "0.50"},     {"5.", true, "5.00"},
        {" 7.25 ", true, "7.25"},  {"+1", true, "1.00"},     {"-0.004", true, "0.00"},
        {"", false, ""},           {"-", false, ""},         {".", false, ""},
        {"1.23456", false, ""},    {"1e3", false, ""},       {"1,5", false, ""},
        {"1.2.3", false, ""},      {"１２", false, ""},      {"123456789012345", false, ""},
    };
    for (const Case& c : cases) {
        const auto m = Money::parse(QString::fromUtf8(c.typed));
        ASSERT_EQ(m.has_value(), c.valid) << c.typed;
        if (m) {
            EXPECT_EQ(m->text(), QString::fromLatin1(c.shown)) << c.typed;
        }
    }
    EXPECT_EQ(Money::parse("2.675")->text(4), "2.6750");
    EXPECT_EQ(Money::parse("2.675")->text(0), "3");
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2), Money::parse("0.3"));
    EXPECT_EQ(Money::fromDouble(-1234.5678).text(4), "-1234.5678");
}

TEST(Money, AMillionAmountsSumExactly)
{
    // 0.01 a million times is 10000 exactly; the same sum in double drifts.
    Money sum;
    double drift = 0;
    const Money cent = *Money::parse("0.01");
    for (int i = 0; i < 1'000'000; ++i) {
        sum += cent;
        drift += 0.01;
    }
    EXPECT_EQ(sum, *Money::parse("10000"));
    EXPECT_EQ(sum.toDouble(), 10000.0);
    EXPECT_NE(drift, 10000.0);

    // Mixed signs and prices with every decimal: the sum returns to its start.
    Money balance = *Money::parse("100");
    for (int i = 0; i < 1'000'000; ++i) {
        const Money m = Money::fromUnits(i % 99991 - 49995);
        balance += m;
        balance -= m;
    }
    EXPECT_EQ(balance.text(), "100.00");
    EXPECT_EQ((*Money::parse("19.99") * 3).text(), "59.97");
}

}  // namespace
