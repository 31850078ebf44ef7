// The custom field window and the subset window on a scratch account set.

#include "frmselffield.h"
#include "frmsfield.h"
#include "frmzj.h"

#include "custom_fields.h"
#include "database.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "scratch_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace mc::members;

class FieldWindows : public testing::Test {
protected:
    mctest::ScratchDatabase set{mctest::Engine::Sqlite};
    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        return w.findChild<T*>(QLatin1String(name));
    }
    static QString click(QWidget& w, const char* button, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        const auto text = mctest::answerNextMessageBox(answer);
        child<QPushButton>(w, button)->click();
        return *text;
    }
};

TEST_F(FieldWindows, AddRefuseAndDeleteAField)
{
    Tfrmselffield w(set.db());
    auto* name = child<QLineEdit>(w, "fieldname");
    EXPECT_FALSE(name->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w, "save")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "add")->isEnabled());

    child<QPushButton>(w, "add")->click();
    EXPECT_TRUE(w.adding());
    EXPECT_TRUE(child<QCheckBox>(w, "isbx")->isChecked());
    EXPECT_FALSE(child<QComboBox>(w, "zjname")->isEnabled());
    child<QCheckBox>(w, "usezj")->setChecked(true);
    EXPECT_TRUE(child<QComboBox>(w, "zjname")->isEnabled());
    child<QComboBox>(w, "zjname")->setCurrentText(QStringLiteral("颜色"));
    QTest::keyClicks(name, "ho;b by");  // only letters and digits get in
    EXPECT_EQ(name->text(), "hobby");
    child<QLineEdit>(w, "fieldlong")->setText("20");
    EXPECT_EQ(click(w, "save"), QStringLiteral("保存完成"));
    EXPECT_FALSE(w.adding());
    EXPECT_EQ(child<QTableWidget>(w, "grid")->rowCount(), 1);
    EXPECT_TRUE(set.db().record("membercurlist").contains("hobby"));
    EXPECT_EQ(child<QComboBox>(w, "zjname")->findText(QStringLiteral("颜色")), 0);

    child<QPushButton>(w, "add")->click();
    QTest::keyClicks(name, "SEX");
    EXPECT_EQ(click(w, "save"), QStringLiteral("错误，该字段已存在数据表中"));
    EXPECT_TRUE(w.adding());  // the row stays to be corrected
    name->setText("visits");
    child<QComboBox>(w, "fieldclass")->setCurrentText(QStringLiteral("整数"));
    EXPECT_EQ(click(w, "save"), QStringLiteral("保存完成"));
    ASSERT_EQ(child<QTableWidget>(w, "grid")->rowCount(), 2);

    child<QTableWidget>(w, "grid")->selectRow(0);
    EXPECT_EQ(click(w, "remove"), QStringLiteral("删除成功"));
    EXPECT_EQ(child<QTableWidget>(w, "grid")->rowCount(), 1);
    EXPECT_FALSE(set.db().record("membercurlist").contains("hobby"));
}

TEST_F(FieldWindows, SubsetValuesAreAddedChangedAndDeleted)
{
    FieldDefinition colour;
    colour.name = "colour";
    colour.type = QStringLiteral("文本");
    colour.useSubset = true;
    colour.subset = QStringLiteral("颜色");
    ASSERT_TRUE(addCustomField(set.db(), colour, QDate(2026, 4, 1)).ok);
    Tfrmzj w(set.db());
    EXPECT_EQ(child<QLabel>(w, "current")->text(), QStringLiteral("当前子集:颜色"));
    auto* values = child<QTableWidget>(w, "values");

    child<QPushButton>(w, "add")->click();
    EXPECT_TRUE(w.editing());
    EXPECT_FALSE(child<QListWidget>(w, "names")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w, "add")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "save")->isEnabled());
    values->item(0, 0)->setText(QStringLiteral("红"));
    child<QPushButton>(w, "save")->click();
    EXPECT_FALSE(w.editing());
    child<QPushButton>(w, "add")->click();
    child<QPushButton>(w, "save")->click();  // left empty: not saved
    ASSERT_EQ(values->rowCount(), 1);

    values->setCurrentCell(0, 0);
    child<QPushButton>(w, "change")->click();
    values->item(0, 0)->setText(QStringLiteral("蓝"));
    child<QPushButton>(w, "save")->click();
    EXPECT_EQ(subsetValues(set.db(), QStringLiteral("颜色")), QStringList({QStringLiteral("蓝")}));

    // Enter posts the value and starts the next.
    child<QPushButton>(w, "add")->click();
    values->item(1, 0)->setText(QStringLiteral("黄"));
    QTest::keyClick(values, Qt::Key_Return);
    EXPECT_TRUE(w.editing());
    EXPECT_EQ(values->rowCount(), 3);
    EXPECT_EQ(subsetValues(set.db(), QStringLiteral("颜色")), QStringList({QStringLiteral("蓝"), QStringLiteral("黄")}));
    child<QPushButton>(w, "save")->click();  // the new row left empty
    ASSERT_EQ(values->rowCount(), 2);

    values->setCurrentCell(0, 0);
    EXPECT_EQ(click(w, "remove", QMessageBox::Yes), QStringLiteral("确认删除当前记录"));
    EXPECT_EQ(values->rowCount(), 1);
    EXPECT_EQ(subsetValues(set.db(), QStringLiteral("颜色")), QStringList({QStringLiteral("黄")}));
}

TEST_F(FieldWindows, DisplaySettingsAreWrittenWhenTheRowIsLeft)
{
    mc::db::exec(set.db(), "insert into selffields(fieldname, display, fieldclass, isxs, xssx, sysfield) values(?, ?, ?, ?, ?, ?)",
                 {"cardno", QStringLiteral("卡类型"), QStringLiteral("文本"), true, 1, true});
    mc::db::exec(set.db(), "insert into selffields(fieldname, display, fieldclass, isxs, xssx, sysfield) values(?, ?, ?, ?, ?, ?)",
                 {"membername", QStringLiteral("姓名"), QStringLiteral("文本"), true, 2, true});
    auto w = std::make_unique<Tfrmsfield>(set.db());
    auto* grid = child<QTableWidget>(*w, "grid");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), "cardno");
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    grid->setCurrentCell(0, 2);
    grid->item(0, 2)->setCheckState(Qt::Unchecked);
    grid->item(0, 4)->setData(Qt::EditRole, 90);
    EXPECT_TRUE(displaySettings(set.db())[0].shown);  // not yet: still on the row
    grid->setCurrentCell(1, 3);
    const DisplaySetting first = displaySettings(set.db())[0];
    EXPECT_FALSE(first.shown);
    EXPECT_EQ(first.width, 90);
    grid->item(1, 3)->setData(Qt::EditRole, 0);
    w->close();  // closing writes the row it is on
    EXPECT_EQ(displaySettings(set.db())[0].name, "membername");
}
