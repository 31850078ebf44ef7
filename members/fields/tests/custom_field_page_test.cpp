// The custom-field page: positions three to a row, the scroll rule, editors by type, defaults,
// typed values and the checks before saving.

#include "custom_field_page.h"

#include "qt_print.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using mc::members::CustomField;

namespace {

CustomField make(const QString& name, const QString& type)
{
    CustomField f;
    f.name = name;
    f.display = name.toUpper();
    f.type = type;
    return f;
}

QList<CustomField> seven()
{
    QList<CustomField> list;
    const QStringList types = {QStringLiteral("文本"), QStringLiteral("整数"), QStringLiteral("小数"), QStringLiteral("日期")};
    for (int i = 0; i < 7; ++i)
        list << make(QStringLiteral("f%1").arg(i), types[i % 4]);
    list[0].useSubset = true;
    list[0].subset = QStringLiteral("颜色");
    list[4].length = 4;
    list[4].display.clear();
    list[5].defaultValue = "12.5";
    return list;
}

}  // namespace

TEST(CustomFieldPage, SevenFieldsSitThreeToARow)
{
    CustomFieldPage page(seven(), {{QStringLiteral("颜色"), {QStringLiteral("红"), QStringLiteral("蓝")}}});
    page.resize(700, 400);
    page.show();
    for (int n = 0; n < 7; ++n) {
        const int row = n / 3, column = n % 3;
        EXPECT_EQ(page.label(n)->pos(), QPoint(210 * column + 10, 30 * row + 13)) << n;
        EXPECT_EQ(page.label(n)->width(), 80) << n;
        EXPECT_EQ(page.editor(n)->pos(), QPoint(210 * column + 92, 30 * row + 10)) << n;
        EXPECT_EQ(page.editor(n)->width(), 110) << n;
    }
    EXPECT_EQ(static_cast<QLabel*>(page.label(4))->text(), "f4");  // no caption: the field name
    EXPECT_FALSE(page.scrollBar()->isVisible());

    auto* colour = qobject_cast<QComboBox*>(page.editor(0));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->count(), 2);
    EXPECT_EQ(static_cast<QLineEdit*>(page.editor(4))->maxLength(), 4);

    // Keys by type: digits for integers, digits and "." for decimals, digits and "-" for dates.
    auto typed = [&](int n, const QString& keys) {
        auto* e = static_cast<QLineEdit*>(page.editor(n));
        e->clear();
        QTest::keyClicks(e, keys);
        return e->text();
    };
    EXPECT_EQ(typed(1, "12a3"), "123");
    EXPECT_EQ(typed(2, "1.5x"), "1.5");
    EXPECT_EQ(typed(3, "2026-04-01z"), "2026-04-01");
}

TEST(CustomFieldPage, DefaultsValuesAndChecks)
{
    CustomFieldPage page(seven(), {});
    page.setDefaults();
    EXPECT_EQ(page.check().message, QStringLiteral("自定义字段F0不能为空"));
    EXPECT_EQ(page.check().field, "f0");
    page.setValues({{"f0", QStringLiteral("红")}, {"f1", 3}, {"f2", 2.5}, {"f3", QStringLiteral("2026-04-01 00:00:00")},
                    {"f4", "abcd"}, {"f6", 9.0}});
    EXPECT_EQ(static_cast<QLineEdit*>(page.editor(2))->text(), "2.50");
    EXPECT_EQ(static_cast<QLineEdit*>(page.editor(3))->text(), "2026-04-01");
    EXPECT_EQ(static_cast<QLineEdit*>(page.editor(5))->text(), "");  // the default gave way to the row
    EXPECT_EQ(page.check().message, QStringLiteral("自定义字段F5不能为空"));
    static_cast<QLineEdit*>(page.editor(5))->setText("1.2.3");
    EXPECT_EQ(page.check().message, QStringLiteral("自定义字段F5的内容不正确"));
    EXPECT_EQ(page.check().field, "f5");
    static_cast<QLineEdit*>(page.editor(5))->setText("7");
    EXPECT_TRUE(page.check().ok);
    EXPECT_EQ(page.check().message, "");
    const QHash<QString, QVariant> v = page.values();
    EXPECT_EQ(v.value("f1").toInt(), 3);
    EXPECT_EQ(v.value("f3").toDateTime(), QDateTime(QDate(2026, 4, 1), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(v.value("f6").toDouble(), 9.0);
    EXPECT_EQ(v.value("f0").toString(), QStringLiteral("红"));
}

TEST(CustomFieldPage, LowPageScrollsByRows)
{
    QList<CustomField> many;
    for (int i = 0; i < 45; ++i)
        many << make(QStringLiteral("g%1").arg(i), QStringLiteral("文本"));
    CustomFieldPage page(many, {});
    page.resize(700, 200);  // 15 rows need 463 pixels
    page.show();
    QScrollBar* bar = page.scrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 3);  // rows − 12
    EXPECT_EQ(page.panel()->height(), 30 * 15 + 13);
    bar->setValue(2);
    EXPECT_EQ(page.panel()->y(), -60);
    // Enter in field 7 shows its row (7 div 3); beyond field 35 the position stays.
    QTest::keyClick(page.editor(7), Qt::Key_Return);
    EXPECT_EQ(bar->value(), 2);
    QTest::keyClick(page.editor(4), Qt::Key_Return);
    EXPECT_EQ(bar->value(), 1);
    QTest::keyClick(page.editor(40), Qt::Key_Return);
    EXPECT_EQ(bar->value(), 1);
    page.resize(700, 500);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(page.panel()->y(), 0);
}
