#include "frmztgl.h"

#include "account_sets.h"
#include "database.h"
#include "dialog_layout.h"
#include "globals.h"

#include <QDateTime>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

namespace {

QSqlDatabase catalogue()
{
    return QSqlDatabase::database(mc::db::catalogueConnection, false);
}

}  // namespace

Tfrmztgl::Tfrmztgl(QWidget* parent) : QDialog(parent), model_(new QStandardItemModel(this)), grid_(new QTableView(this))
{
    setObjectName(QStringLiteral("frmztgl"));
    setWindowTitle(QStringLiteral("帐套管理"));
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* add = mc::namedButton(this, QStringLiteral("增加"), "btnAdd");
    auto* remove = mc::namedButton(this, QStringLiteral("删除"), "btnDelete");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "btnClose");
    mc::layoutWithButtons(this, grid_, {add, remove, close});
    resize(640, 360);

    connect(add, &QPushButton::clicked, this, &Tfrmztgl::addClick);
    connect(remove, &QPushButton::clicked, this, &Tfrmztgl::deleteClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    FormShow();
}

void Tfrmztgl::FormShow()
{
    model_->clear();
    model_->setHorizontalHeaderLabels({QStringLiteral("帐套名称"), QStringLiteral("描述"), QStringLiteral("最后登陆时间"),
                                       QStringLiteral("登录员工"), QStringLiteral("登录ip")});
    const auto sets = mc::login::readAccountSets(catalogue());
    if (!sets) {
        QMessageBox::warning(this, windowTitle(), sets.message);
        return;
    }
    for (const mc::login::AccountSet& set : sets.value) {
        const QString loaded = set.lastloadtime.isValid() ? mc::db::canonical(set.lastloadtime) : QString();
        QList<QStandardItem*> row;
        for (const QString& text : {set.ztmc, set.memo, loaded, set.lastyg, set.loadip})
            row << new QStandardItem(text);
        model_->appendRow(row);
    }
    if (model_->rowCount() > 0)
        grid_->selectRow(0);
}

void Tfrmztgl::addClick()
{
    Tfrmztlr entry(this);
    entry.exec();
    FormShow();
}

void Tfrmztgl::deleteClick()
{
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认删除当前记录")) != QMessageBox::Yes)
        return;
    const QString name = model_->index(current.row(), 0).data().toString();
    const mc::Done removed = mc::login::deleteAccountSet(catalogue(), name);
    if (!removed)
        QMessageBox::warning(this, windowTitle(), removed.message);
    FormShow();
}

Tfrmztlr::Tfrmztlr(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmztlr"));
    setWindowTitle(QStringLiteral("帐套管理"));
    auto* name = new QLineEdit(this);
    name->setObjectName(QStringLiteral("DBEdit1"));
    name->setMaxLength(50);
    auto* memo = new QLineEdit(this);
    memo->setObjectName(QStringLiteral("DBEdit2"));
    memo->setMaxLength(50);
    auto* ok = mc::namedButton(this, QStringLiteral("确定(&O)"), "BitBtn1");
    auto* close = mc::namedButton(this, QStringLiteral("关闭(&C)"), "BitBtn2");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("帐套名称"), name);
    form->addRow(QStringLiteral("描述"), memo);
    mc::layoutWithButtons(this, form, {ok, close});
    connect(ok, &QPushButton::clicked, this, &Tfrmztlr::okClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmztlr::okClick()
{
    auto* name = findChild<QLineEdit*>(QStringLiteral("DBEdit1"));
    auto* memo = findChild<QLineEdit*>(QStringLiteral("DBEdit2"));
    const mc::Done o = mc::login::createAccountSet(catalogue(), mc::appPath, name->text(), memo->text(),
                                                   QDateTime::currentDateTime());
    if (!o.ok) {
        QMessageBox::warning(this, windowTitle(), o.message);
        return;
    }
    // The window stays open for the next set.
    QMessageBox::information(this, windowTitle(), QStringLiteral("帐套创建成功"));
    name->clear();
    memo->clear();
    name->setFocus();
}
