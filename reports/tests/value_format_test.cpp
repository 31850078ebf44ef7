// Display formats of numbers and dates.

#include "value_format.h"

#include "qt_print.h"

#include <QDateTime>

#include <gtest/gtest.h>

using mc::reports::formatValue;

TEST(ValueFormat, NumbersDatesAndPlainValues)
{
    const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 4));
    const struct {
        QVariant value;
        const char* format;
        const char* expected;
    } cases[] = {
        {12.5, "0.00", "12.50"},
        {2.675, "0.00", "2.68"},      // 2.675 is 2.67499… in binary
        {1.005, "0.00", "1.01"},
        {-2.675, "0.00", "-2.68"},
        {-0.001, "0.00", "0.00"},     // never "-0.00"
        {7.5, "0", "8"},
        {QStringLiteral("30"), "0.00", "30.00"},  // SQLite hands numbers back as text at times
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {-1234.5, "#,##0.00", "-1,234.50"},
        {2.5, "0.##", "2.5"},
        {3.0, "0.0#", "3.0"},
        {QStringLiteral("现金"), "0.00", "现金"},  // text keeps its text
        {QVariant(), "0.00", ""},
        {when, "yyyy-mm-dd", "2026-03-07"},
        {when, "yyyy-mm-dd hh:nn", "2026-03-07 09:05"},
        {when, "hh:nn:ss", "09:05:04"},
        {when, "yyyy-mm-dd hh:mm", "2026-03-07 09:05"},  // minutes after an hour
        {when, "yyyy年mm月dd日", "2026年03月07日"},
        {QStringLiteral("2026-03-07 09:05:04"), "yyyy-mm-dd", "2026-03-07"},  // stored form
        {QStringLiteral("2026-03-07 09:05:04"), "", "2026-03-07 09:05:04"},
        {when, "", "2026-03-07 09:05:04"},
        {0.1 + 0.2, "", "0.3"},
        {true, "", "是"},
        {42, "", "42"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatValue(c.value, QString::fromUtf8(c.format)), QString::fromUtf8(c.expected))
            << c.value.toString().toStdString() << " with " << c.format;
}
