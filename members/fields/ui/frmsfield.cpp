#include "frmsfield.h"

#include "custom_fields.h"
#include "database.h"
#include "dialog_layout.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

using namespace mc::members;

namespace {

enum Column { NameColumn, DisplayColumn, ShownColumn, OrderColumn, WidthColumn };

QTableWidgetItem* readOnly(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

Tfrmsfield::Tfrmsfield(const QSqlDatabase& db, QWidget* parent) : QWidget(parent), db_(db)
{
    setObjectName(QStringLiteral("frmsfield"));
    setWindowTitle(QStringLiteral("字段设置"));
    grid_ = new QTableWidget(0, 5);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("字段名"), QStringLiteral("显示名称"), QStringLiteral("是否显示"),
                                      QStringLiteral("显示顺序"), QStringLiteral("显示宽度")});
    grid_->verticalHeader()->hide();
    auto* close = new QPushButton(QStringLiteral("关闭(&C)"));
    mc::layoutWithButtons(this, grid_, {close});
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    loading_ = true;
    try {
        const QList<DisplaySetting> rows = displaySettings(db_);
        grid_->setRowCount(int(rows.size()));
        for (int r = 0; r < rows.size(); ++r) {
            const DisplaySetting& s = rows[r];
            QTableWidgetItem* name = readOnly(s.name);
            name->setData(Qt::UserRole, s.pid);
            grid_->setItem(r, NameColumn, name);
            grid_->setItem(r, DisplayColumn, readOnly(s.display));
            auto* shown = new QTableWidgetItem;
            shown->setFlags((shown->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
            shown->setCheckState(s.shown ? Qt::Checked : Qt::Unchecked);
            grid_->setItem(r, ShownColumn, shown);
            auto* order = new QTableWidgetItem;
            order->setData(Qt::EditRole, s.order);
            grid_->setItem(r, OrderColumn, order);
            auto* width = new QTableWidgetItem;
            width->setData(Qt::EditRole, s.width);
            grid_->setItem(r, WidthColumn, width);
        }
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    loading_ = false;
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int, int, int previousRow, int) {
        if (previousRow >= 0)
            post(previousRow);
    });
}

void Tfrmsfield::post(int row)
{
    if (loading_ || row >= grid_->rowCount())
        return;
    DisplaySetting s;
    s.pid = grid_->item(row, NameColumn)->data(Qt::UserRole).toInt();
    s.shown = grid_->item(row, ShownColumn)->checkState() == Qt::Checked;
    s.order = grid_->item(row, OrderColumn)->data(Qt::EditRole).toInt();
    s.width = grid_->item(row, WidthColumn)->data(Qt::EditRole).toInt();
    try {
        saveDisplaySetting(db_, s);
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
    }
}

void Tfrmsfield::closeEvent(QCloseEvent* event)
{
    if (grid_->currentRow() >= 0)
        post(grid_->currentRow());
    event->accept();
}
