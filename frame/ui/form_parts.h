#pragma once
// Small pieces the entry and list windows share: Enter as the next-field key in a whole window,
// and grids that show money as "0.00".

#include <QIdentityProxyModel>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>

#include <functional>

class QSqlQueryModel;
class QDialog;
class QTableView;
class QTreeWidget;
class QWidget;

namespace mc::ui {

// Enter in any edit box or drop-down of `window` moves the focus to the next control.
void enterMovesFocus(QWidget* window);

// A read-only grid over a query model: whole rows selected, one at a time.
QTableView* makeGrid(const char* objectName, QWidget* parent);

// Shows query results with money columns as "0.00", yes/no columns as "√" and date columns
// as "yyyy-MM-dd".
class GridFormat : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    void setMoneyColumns(QSet<int> c) { money_ = std::move(c); }
    void setBoolColumns(QSet<int> c) { bools_ = std::move(c); }
    void setDateColumns(QSet<int> c) { dates_ = std::move(c); }
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QSet<int> money_, bools_, dates_;
};

// Runs `query` into `model` and titles its columns; columns past the titles are hidden in `grid`.
void showQuery(QSqlQueryModel* model, QSqlQuery query, const QStringList& titles, QTableView* grid);

// A picker's layout: the tree of groups on the left, the grid of choices beside it, 选择 and 关闭
// under them. Double-clicking a row or 选择 calls `select`; 关闭 rejects the dialog.
void layoutTreeGridPicker(QDialog* dialog, QTreeWidget* tree, QTableView* grid, const std::function<void()>& select);

// The value of `column` in the selected row of `grid`; invalid when nothing is selected.
QVariant selectedValue(const QTableView* grid, int column);

}  // namespace mc::ui
