#include "form_parts.h"

#include "database.h"
#include "dialog_layout.h"
#include "key_filters.h"
#include "utils/decimaltext.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTreeWidget>

namespace mc::ui {

void enterMovesFocus(QWidget* window)
{
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        mc::enterMovesFocus(e);
    for (QComboBox* c : window->findChildren<QComboBox*>())
        mc::enterMovesFocus(c);
}

QTableView* makeGrid(const char* objectName, QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QLatin1String(objectName));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QVariant GridFormat::data(const QModelIndex& index, int role) const
{
    const QVariant value = QIdentityProxyModel::data(index, role);
    if (role != Qt::DisplayRole || value.isNull())
        return value;
    if (money_.contains(index.column()))
        return fixedText(value.toDouble(), 2);
    if (bools_.contains(index.column()))
        return value.toBool() ? QStringLiteral("√") : QString();
    if (dates_.contains(index.column()))
        return db::toDateTime(value).toString(QStringLiteral("yyyy-MM-dd"));
    return value;
}

void showQuery(QSqlQueryModel* model, QSqlQuery query, const QStringList& titles, QTableView* grid)
{
    model->setQuery(std::move(query));
    for (int i = 0; i < model->columnCount(); ++i) {
        if (i < titles.size())
            model->setHeaderData(i, Qt::Horizontal, titles[i]);
        grid->setColumnHidden(i, i >= titles.size());
    }
}

void layoutTreeGridPicker(QDialog* dialog, QTreeWidget* tree, QTableView* grid, const std::function<void()>& select)
{
    tree->setMaximumWidth(220);
    auto* pick = mc::namedButton(dialog, QStringLiteral("选择"), "btnSelect");
    auto* close = mc::namedButton(dialog, QStringLiteral("关闭"), "btnClose");
    auto* lists = new QHBoxLayout;
    lists->addWidget(tree);
    lists->addWidget(grid, 1);
    mc::layoutWithButtons(dialog, lists, {pick, close});
    QObject::connect(grid, &QTableView::doubleClicked, dialog, select);
    QObject::connect(pick, &QPushButton::clicked, dialog, select);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
}

QVariant selectedValue(const QTableView* grid, int column)
{
    const QModelIndexList rows = grid->selectionModel() ? grid->selectionModel()->selectedRows() : QModelIndexList{};
    if (rows.isEmpty())
        return {};
    return grid->model()->index(rows.first().row(), column).data(Qt::EditRole);
}

}  // namespace mc::ui
