#pragma once
// The query-window kit: every list, query and statistics grid of the program is a column
// description, a filter struct and a service.
//
//   1. The service (GUI-free) takes the filter struct and returns a bound statement:
//          QSqlQuery memberList(const QSqlDatabase& db, const MemberFilter& f);  // db::browse
//   2. The window describes the columns it shows, by the statement's column names:
//          const mc::ui::QueryColumns columns = {
//              {"memberno", "会员编号"},
//              {"curmoney", "余额", Kind::Money, /*summed*/ true},
//              {"khdate", "开户日期", Kind::Date},
//              {"cardno", "", Kind::Text, false, /*hidden*/ true},
//              {"rest", "剩余", Kind::Money, true, false,
//               [](const QSqlRecord& r) { return r.value("a").toDouble() - r.value("b").toDouble(); }},
//          };
//   3. It puts a QueryView in its layout and loads the statement whenever the filter changes:
//          view_ = new mc::ui::QueryView("memberGrid", columns, this);
//          view_->load(memberList(db_, filter()));
//      and reads the chosen row by column name: view_->selected("memberno").
//
// The view then gives, without more code: sorting by a click on a column title (in memory, so
// computed columns sort too), the footer "合计" with the sums of the summed columns (money summed
// exactly), print through a report template (print("spxx")), export to .xlsx with the titles as
// headers and numbers as numbers (exportAsk / exportTo), and for statistics pages a chart of the
// shown rows (QueryChart in query_chart.h).

#include "data_source.h"
#include "utils/money.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QWidget>

#include <functional>


namespace mc::ui {

struct QueryColumn {
    enum class Kind {
        Text,
        Money,  // "0.00"; summed exactly
        Date,   // "yyyy-MM-dd"
        Bool,   // "√" or empty
        Count,  // quantities and counts: "2", "2.5"
    };
    QString column;  // the statement's column name, or the name of a computed column
    QString title;
    Kind kind = Kind::Text;
    bool summed = false;
    bool hidden = false;
    // A column the statement does not give: its value from the statement's row.
    std::function<QVariant(const QSqlRecord&)> compute = {};
};
using QueryColumns = QList<QueryColumn>;

// The rows of one statement, read in full, with the described columns. The display role gives
// the shown text, the edit role the value itself.
class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    QueryModel(QueryColumns columns, QObject* parent = nullptr);

    void load(QSqlQuery query);
    const QueryColumns& columns() const { return columns_; }
    // The position of a described column; −1 when it is not described.
    int columnOf(const QString& name) const;
    // The value of `name` in `row`: a described column, or any column of the statement.
    QVariant value(int row, const QString& name) const;
    // The exact sum of a column over all rows (money and counts).
    mc::Money sum(const QString& name) const;
    // The rows as a report data source, in the given order of rows: the statement's columns by
    // name, then the computed ones.
    mc::reports::DataSource dataSource(const QList<int>& order) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The value as the export writes it: numbers as numbers, dates as dates, yes as "√".
    static constexpr int ExportRole = Qt::UserRole + 1;

private:
    struct Row {
        QSqlRecord record;
        QVariantList computed;  // one per computed column, in description order
    };
    QVariant raw(const Row& row, int column) const;

    QueryColumns columns_;
    QList<Row> rows_;
};

// Title clicks sort the rows by the values, not by the shown text.
class QuerySort : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// The grid of a query window with its footer of sums.
class QueryView : public QWidget {
    Q_OBJECT
public:
    // `gridName` is the grid's object name; the footer is named gridName + "Footer".
    QueryView(const char* gridName, QueryColumns columns, QWidget* parent = nullptr);

    void load(QSqlQuery query);
    QTableView* grid() const { return grid_; }
    QTableView* footer() const { return footer_; }
    QueryModel* model() const { return model_; }
    int rowCount() const;

    // The value of `column` in the selected row; invalid when no row is selected.
    QVariant selected(const QString& column) const;
    // Selects the first row whose `column` holds `value`; false when there is none.
    bool select(const QString& column, const QVariant& value);
    // The value of `column` in the `row`th shown row, in the shown order.
    QVariant shownValue(int row, const QString& column) const;

    // Opens the report template `templateName` over the shown rows ("frxprint") in the preview.
    void print(const QString& templateName);
    // Asks for a file (suggesting `filename`) and exports the shown rows; a message tells how it went.
    void exportAsk(const QString& filename, const QString& title, const QString& maker);
    // Writes the shown rows to `path` and tells how it went. Returns whether the file was written.
    bool exportTo(const QString& path, const QString& title, const QString& maker);

signals:
    void loaded();

private:
    QList<int> shownOrder() const;
    void hideColumns();
    void fillFooter();
    void alignFooter();

    QueryModel* model_;
    QuerySort* sort_;
    QTableView* grid_;
    QTableView* footer_;
};

}  // namespace mc::ui
