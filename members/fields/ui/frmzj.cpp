#include "frmzj.h"

#include "custom_fields.h"
#include "database.h"
#include "dialog_layout.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace mc::members;

Tfrmzj::Tfrmzj(const QSqlDatabase& db, QWidget* parent) : QWidget(parent), db_(db)
{
    setObjectName(QStringLiteral("frmzj"));
    setWindowTitle(QStringLiteral("自定义字段子集信息录入"));
    names_ = new QListWidget;
    names_->setObjectName(QStringLiteral("names"));
    current_ = new QLabel;
    current_->setObjectName(QStringLiteral("current"));
    values_ = new QTableWidget(0, 1);
    values_->setObjectName(QStringLiteral("values"));
    values_->setHorizontalHeaderLabels({QStringLiteral("选项")});
    values_->horizontalHeader()->setStretchLastSection(true);
    values_->verticalHeader()->hide();
    values_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    values_->setSelectionBehavior(QAbstractItemView::SelectRows);

    add_ = mc::namedButton(this, QStringLiteral("增加"), "add");
    remove_ = mc::namedButton(this, QStringLiteral("删除"), "remove");
    change_ = mc::namedButton(this, QStringLiteral("修改"), "change");
    save_ = mc::namedButton(this, QStringLiteral("保存"), "save");
    refresh_ = mc::namedButton(this, QStringLiteral("刷新"), "refresh");
    QPushButton* close = mc::namedButton(this, QStringLiteral("关闭"), "close");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_, remove_, change_, save_, refresh_, close})
        buttons->addWidget(b);

    auto* right = new QVBoxLayout;
    right->addWidget(current_);
    right->addWidget(values_, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(names_);
    top->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(names_, &QListWidget::currentTextChanged, this, &Tfrmzj::loadValues);
    connect(add_, &QPushButton::clicked, this, &Tfrmzj::add);
    connect(change_, &QPushButton::clicked, this, &Tfrmzj::change);
    connect(save_, &QPushButton::clicked, this, &Tfrmzj::save);
    connect(remove_, &QPushButton::clicked, this, &Tfrmzj::remove);
    connect(refresh_, &QPushButton::clicked, this, &Tfrmzj::loadValues);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    values_->installEventFilter(this);
    try {
        names_->addItems(subsetNames(db_));
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    if (names_->count() > 0)
        names_->setCurrentRow(0);
    setEditing(-1);
}

bool Tfrmzj::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the values (a single column, so always the last) posts the value and starts the
    // next one.
    if (watched == values_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !subset().isEmpty()) {
            save();
            add();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString Tfrmzj::subset() const
{
    return names_->currentItem() ? names_->currentItem()->text() : QString();
}

void Tfrmzj::loadValues()
{
    current_->setText(QStringLiteral("当前子集:") + subset());
    QList<SubsetValue> rows;
    try {
        rows = subsetEntries(db_, subset());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
    }
    values_->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        auto* item = new QTableWidgetItem(rows[r].value);
        item->setData(Qt::UserRole, rows[r].pid);
        values_->setItem(r, 0, item);
    }
    setEditing(-1);
}

void Tfrmzj::setEditing(int row)
{
    editRow_ = row;
    const bool editing = row >= 0;
    names_->setEnabled(!editing);
    for (QPushButton* b : {add_, remove_, change_, refresh_})
        b->setEnabled(!editing && !subset().isEmpty());
    save_->setEnabled(editing);
    values_->setEditTriggers(editing ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    if (editing) {
        values_->setCurrentCell(row, 0);
        values_->editItem(values_->item(row, 0));
    }
}

void Tfrmzj::add()
{
    const int row = values_->rowCount();
    values_->insertRow(row);
    values_->setItem(row, 0, new QTableWidgetItem);
    setEditing(row);
}

void Tfrmzj::change()
{
    if (values_->currentRow() >= 0)
        setEditing(values_->currentRow());
}

void Tfrmzj::save()
{
    if (editRow_ < 0)
        return;
    // Finish an edit still open in the cell.
    values_->setCurrentCell(-1, -1);
    QTableWidgetItem* item = values_->item(editRow_, 0);
    const QVariant pid = item->data(Qt::UserRole);
    try {
        // An empty value is not saved; the edit is simply given up.
        if (pid.isValid())
            changeSubsetValue(db_, pid.toInt(), item->text());
        else
            addSubsetValue(db_, subset(), item->text());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
    }
    loadValues();
}

void Tfrmzj::remove()
{
    const int row = values_->currentRow();
    if (row < 0)
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认删除当前记录")) != QMessageBox::Yes)
        return;
    try {
        removeSubsetValue(db_, values_->item(row, 0)->data(Qt::UserRole).toInt());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
    }
    loadValues();
}
