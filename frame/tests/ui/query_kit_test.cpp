// The query-window kit: sorting by values (computed columns too), exact footer sums, rows
// chosen by column name, export read back, the print source and the chart.

#include "database.h"
#include "modal_answer.h"
#include "qt_print.h"
#include "query_chart.h"
#include "query_kit.h"
#include "utils/workbook_reader.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHeaderView>
#include <QLineSeries>
#include <QPieSeries>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = mc::ui::QueryColumn::Kind;

class QueryKit : public testing::Test {
protected:
    void SetUp() override
    {
        db = QSqlDatabase::addDatabase("QSQLITE", "querykit");
        db.setDatabaseName(":memory:");
        ASSERT_TRUE(db.open());
        mc::db::exec(db, "create table goods(spno text, spname text, price double, qty double, sold date, "
                         "special boolean, pid integer)");
        // Shown as text these sort 10.00 < 100.00 < 9.50; as values 9.50 < 10.00 < 100.00.
        mc::db::exec(db, "insert into goods values ('A', '可乐', 10, 3, '2027-01-31 00:00:00', 1, 7),"
                         "('B', '洗车', 9.5, 20, '2027-02-01 00:00:00', 0, 8),"
                         "('C', '雪碧', 100, 0.5, null, 0, 9)");
    }
    void TearDown() override
    {
        db = {};
        QSqlDatabase::removeDatabase("querykit");
    }

    static mc::ui::QueryColumns columns()
    {
        return {
            {"spno", "商品代码"},
            {"spname", "商品名称"},
            {"price", "单价", Kind::Money},
            {"qty", "数量", Kind::Count, true},
            // Not in the statement: price × quantity.
            {"amount", "金额", Kind::Money, true, false,
             [](const QSqlRecord& r) { return r.value("price").toDouble() * r.value("qty").toDouble(); }},
            {"sold", "日期", Kind::Date},
            {"special", "特价", Kind::Bool},
            {"pid", "", Kind::Count, false, true},
        };
    }
    QSqlQuery all() { return mc::db::browse(db, "select * from goods order by spno"); }

    QStringList shownCodes(const mc::ui::QueryView& view)
    {
        QStringList codes;
        for (int r = 0; r < view.rowCount(); ++r)
            codes << view.shownValue(r, "spno").toString();
        return codes;
    }

    QSqlDatabase db;
};

TEST_F(QueryKit, TitleClicksSortByValueIncludingComputedColumns)
{
    mc::ui::QueryView view("goodsGrid", columns());
    view.resize(900, 300);
    view.show();
    view.load(all());
    EXPECT_EQ(shownCodes(view), QStringList({"A", "B", "C"}));  // the statement's order at first
    EXPECT_EQ(view.grid()->model()->index(0, 2).data().toString(), "10.00");
    EXPECT_EQ(view.grid()->model()->index(2, 3).data().toString(), "0.5");
    EXPECT_EQ(view.grid()->model()->index(2, 5).data().toString(), "");  // no date
    EXPECT_EQ(view.grid()->model()->index(0, 6).data().toString(), "√");
    EXPECT_TRUE(view.grid()->isColumnHidden(7));

    // A click on the title of 单价 sorts by the amounts, not by their text.
    QHeaderView* header = view.grid()->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(2) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(shownCodes(view), QStringList({"B", "A", "C"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(shownCodes(view), QStringList({"C", "A", "B"}));

    // The computed amounts are 30, 190 and 50.
    view.grid()->sortByColumn(4, Qt::AscendingOrder);
    EXPECT_EQ(shownCodes(view), QStringList({"A", "C", "B"}));
    // Empty dates sort first; the order holds over a new load.
    view.grid()->sortByColumn(5, Qt::DescendingOrder);
    view.load(all());
    EXPECT_EQ(shownCodes(view), QStringList({"B", "A", "C"}));
}

TEST_F(QueryKit, TheFooterSumsExactly)
{
    // A thousand amounts of 0.1 and one of 0.0048: added as doubles they drift off 100.0048.
    mc::db::exec(db, "delete from goods");
    for (int i = 0; i < 1000; ++i)
        mc::db::exec(db, "insert into goods(spno, price, qty) values (?, 0.1, 1)", {QString::number(i)});
    mc::db::exec(db, "insert into goods(spno, price, qty) values ('x', 0.0048, 2.5)");
    mc::ui::QueryColumns described = columns();
    described[2].summed = true;
    mc::ui::QueryView view("goodsGrid", described);
    view.load(all());
    EXPECT_EQ(view.model()->sum("price"), mc::Money::fromUnits(1000048));
    EXPECT_EQ(view.model()->sum("amount"), mc::Money::fromUnits(1000120));  // 0.0048 × 2.5 = 0.012

    const QAbstractItemModel* footer = view.footer()->model();
    ASSERT_FALSE(view.footer()->isHidden());
    EXPECT_EQ(footer->index(0, 0).data().toString(), "合计");
    EXPECT_EQ(footer->index(0, 1).data().toString(), "");
    EXPECT_EQ(footer->index(0, 2).data().toString(), "100.00");
    EXPECT_EQ(footer->index(0, 3).data().toString(), "1002.5");
    EXPECT_EQ(footer->index(0, 4).data().toString(), "100.01");

    // A list without summed columns has no footer.
    mc::ui::QueryView plain("plainGrid", {{"spno", "商品代码"}});
    EXPECT_TRUE(plain.footer()->isHidden());
}

TEST_F(QueryKit, TheSelectedRowIsReadByColumnName)
{
    mc::ui::QueryView view("goodsGrid", columns());
    view.load(all());
    EXPECT_FALSE(view.selected("pid").isValid());  // nothing selected
    view.grid()->sortByColumn(2, Qt::DescendingOrder);  // C, A, B: shown rows differ from loaded rows
    ASSERT_TRUE(view.select("spno", "A"));
    EXPECT_EQ(view.grid()->selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_EQ(view.selected("pid").toInt(), 7);         // a hidden column
    EXPECT_EQ(view.selected("spname").toString(), "可乐");
    EXPECT_DOUBLE_EQ(view.selected("amount").toDouble(), 30);  // a computed one
    EXPECT_FALSE(view.select("spno", "Z"));
}

TEST_F(QueryKit, TheExportHasTheTitlesAndNumbersAsNumbers)
{
    QTemporaryDir dir;
    mc::ui::QueryView view("goodsGrid", columns());
    view.setWindowTitle("商品信息");
    view.load(all());
    view.grid()->sortByColumn(2, Qt::AscendingOrder);  // B, A, C
    const QString path = dir.path() + "/商品.xlsx";
    const auto message = mctest::answerNextMessageBox();
    ASSERT_TRUE(view.exportTo(path, "商品信息", "张三"));
    EXPECT_EQ(*message, "数据成功导出");

    mc::WorkbookReader book;
    ASSERT_EQ(book.open(path), mc::WorkbookReader::OpenResult::Opened);
    EXPECT_EQ(book.cell(1, 1), "商品信息");
    const QStringList titles = {"商品代码", "商品名称", "单价", "数量", "金额", "日期", "特价"};
    for (int c = 0; c < titles.size(); ++c)
        EXPECT_EQ(book.cell(3, c + 1), titles[c]) << c;
    EXPECT_EQ(book.cell(3, 8), "");  // the hidden column stays out
    EXPECT_EQ(book.cell(4, 8), "");
    // Rows in the shown order; a number cell reads as a general cell shows it ("9.5"), where
    // text would have kept "9.50".
    EXPECT_EQ(book.cell(4, 1), "B");
    EXPECT_EQ(book.cell(4, 3), "9.5");
    EXPECT_EQ(book.cell(4, 4), "20");
    EXPECT_EQ(book.cell(4, 5), "190");
    EXPECT_EQ(book.cell(5, 3), "10");
    EXPECT_EQ(book.cell(6, 4), "0.5");
    EXPECT_EQ(book.cell(4, 6), "2027-02-01");
    EXPECT_EQ(book.cell(5, 7), "√");
    EXPECT_EQ(book.cell(4, 7), "");
}

TEST_F(QueryKit, ThePrintSourceHoldsTheStatementsColumnsAndTheComputedOnesInShownOrder)
{
    mc::ui::QueryView view("goodsGrid", columns());
    view.load(all());
    view.grid()->sortByColumn(4, Qt::DescendingOrder);  // B, C, A
    QList<int> order;
    for (int r = 0; r < view.rowCount(); ++r)
        order << view.grid()->model()->index(r, 0).data().toString().at(0).unicode() - 'A';
    const mc::reports::DataSource source = view.model()->dataSource(order);
    EXPECT_EQ(source.columns(), QStringList({"spno", "spname", "price", "qty", "sold", "special", "pid", "amount"}));
    ASSERT_EQ(source.rowCount(), 3);
    EXPECT_EQ(source.value(0, source.column("spno")).toString(), "B");
    EXPECT_DOUBLE_EQ(source.value(0, source.column("amount")).toDouble(), 190);
    EXPECT_EQ(source.value(2, source.column("pid")).toInt(), 7);
}

TEST_F(QueryKit, TheChartDrawsTheShownRowsAsTheUserPicks)
{
    mc::ui::QueryView view("goodsGrid", columns());
    view.load(all());
    mc::ui::QueryChart chart(&view, "spname", {"qty", "amount"});

    auto* bars = qobject_cast<QBarSeries*>(chart.chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 2);
    EXPECT_EQ(bars->barSets()[1]->label(), "金额");
    EXPECT_DOUBLE_EQ(bars->barSets()[1]->at(1), 190);

    chart.setKind(mc::ui::QueryChart::Kind::Line);
    ASSERT_EQ(chart.chart()->series().size(), 2);
    auto* line = qobject_cast<QLineSeries*>(chart.chart()->series()[0]);
    ASSERT_NE(line, nullptr);
    EXPECT_DOUBLE_EQ(line->at(2).y(), 0.5);

    chart.setKind(mc::ui::QueryChart::Kind::Pie);
    auto* pie = qobject_cast<QPieSeries*>(chart.chart()->series().value(0));
    ASSERT_NE(pie, nullptr);
    ASSERT_EQ(pie->count(), 3);
    EXPECT_EQ(pie->slices()[0]->label(), "可乐");
    EXPECT_DOUBLE_EQ(pie->slices()[1]->value(), 20);

    // A new load redraws it.
    mc::db::exec(db, "delete from goods where spno = 'C'");
    view.load(all());
    pie = qobject_cast<QPieSeries*>(chart.chart()->series().value(0));
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->count(), 2);
}

}  // namespace
