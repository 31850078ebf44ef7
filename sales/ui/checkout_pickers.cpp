#include "checkout_pickers.h"

#include "checkout_lists.h"
#include "dialog_layout.h"
#include "form_parts.h"
#include "goods.h"
#include "goods_class_tree.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace mc::sales;

namespace {

const mc::ui::QueryColumns staffColumns = {
    {QStringLiteral("dep_id"), QStringLiteral("部门")},
    {QStringLiteral("ygid"), QStringLiteral("员工编号")},
    {QStringLiteral("ygname"), QStringLiteral("员工姓名")},
    {QStringLiteral("yglb"), QStringLiteral("员工类别")},
    {QStringLiteral("sex"), QStringLiteral("性别")},
    {QStringLiteral("sfz"), QStringLiteral("身份证号")},
};

constexpr int goodsCodeRole = Qt::UserRole + 1;
constexpr int goodsPriceRole = Qt::UserRole + 2;

}  // namespace

// ---- 员工选择 ----------------------------------------------------------------------------------

Tfrmygxz::Tfrmygxz(QSqlDatabase db, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), tree_(new QTreeWidget(this)),
      staff_(new mc::ui::QueryView("staffGrid", staffColumns, this))
{
    setObjectName(QStringLiteral("frmygxz"));
    setWindowTitle(QStringLiteral("员工选择"));
    tree_->setObjectName(QStringLiteral("depTree"));
    tree_->setHeaderHidden(true);
    // Two characters of the department code per level.
    auto* all = new QTreeWidgetItem(tree_, {QStringLiteral("所有部门")});
    QList<QTreeWidgetItem*> lastOfLevel;
    for (const Department& d : departments(db_)) {
        const qsizetype level = qMax<qsizetype>(1, (d.id.size() + 1) / 2);
        QTreeWidgetItem* parentNode = level > 1 && lastOfLevel.size() >= level - 1 ? lastOfLevel[level - 2] : all;
        auto* node = new QTreeWidgetItem(parentNode, {d.name + u'[' + d.id + u']'});
        node->setData(0, Qt::UserRole, d.id);
        lastOfLevel.resize(level);
        lastOfLevel[level - 1] = node;
    }
    tree_->expandAll();
    mc::ui::layoutTreeGridPicker(this, tree_, staff_, staff_->grid(), [this] { selectClick(); });
    resize(720, 460);
    departmentClicked(nullptr);
    connect(tree_, &QTreeWidget::itemClicked, this, &Tfrmygxz::departmentClicked);
}

std::optional<ServingStaff> Tfrmygxz::pick(const QSqlDatabase& db, QWidget* parent)
{
    Tfrmygxz picker(db, parent);
    picker.exec();
    return picker.picked_;
}

void Tfrmygxz::departmentClicked(QTreeWidgetItem* node)
{
    staff_->load(staffPickList(db_, node ? node->data(0, Qt::UserRole).toString() : QString()));
}

void Tfrmygxz::selectClick()
{
    const QVariant code = staff_->selected(QStringLiteral("ygid"));
    if (!code.isValid()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("请先选择员工"));
        return;
    }
    picked_ = ServingStaff{code.toString(), staff_->selected(QStringLiteral("ygname")).toString(),
                           staff_->selected(QStringLiteral("dep_id")).toString()};
    accept();
}

// ---- 消费商品选择 -------------------------------------------------------------------------------

Tfrmxfspxz::Tfrmxfspxz(QSqlDatabase db, QWidget* parent)
    : QDialog(parent), tree_(new QTreeWidget(this)), list_(new QTableWidget(0, 5, this)), total_(new QLabel(this))
{
    setObjectName(QStringLiteral("frmxfspxz"));
    setWindowTitle(QStringLiteral("消费商品选择"));
    tree_->setObjectName(QStringLiteral("goodsTree"));
    tree_->setHeaderHidden(true);
    tree_->setMaximumWidth(260);
    mc::ui::fillGoodsClassTree(tree_, listGoodsClasses(db));
    // Under each class its own goods.
    QList<QTreeWidgetItem*> classes;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        classes << *it;
    for (QTreeWidgetItem* node : classes) {
        for (const ClassGoods& g : goodsInClass(db, mc::ui::goodsClassCode(node))) {
            auto* leaf = new QTreeWidgetItem(node, {g.spname + QStringLiteral("  单价:") + QString::number(g.xsjg, 'f', 2) +
                                                    u'[' + g.spno + u']'});
            leaf->setData(0, goodsCodeRole, g.spno);
            leaf->setData(0, goodsPriceRole, g.xsjg);
        }
    }
    list_->setObjectName(QStringLiteral("chosenGrid"));
    list_->setHorizontalHeaderLabels({QStringLiteral("商品代码"), QStringLiteral("商品名称"), QStringLiteral("单价"),
                                      QStringLiteral("商品数量"), QStringLiteral("总价")});
    list_->horizontalHeader()->setStretchLastSection(true);
    total_->setObjectName(QStringLiteral("lblTotal"));

    auto* remove = mc::namedButton(this, QStringLiteral("删除"), "btnDelete");
    auto* ok = mc::namedButton(this, QStringLiteral("确定"), "btnOk");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "btnClose");
    auto* right = new QVBoxLayout;
    right->addWidget(list_, 1);
    right->addWidget(total_);
    auto* body = new QHBoxLayout;
    body->addWidget(tree_);
    body->addLayout(right, 1);
    mc::layoutWithButtons(this, body, {remove, ok, close}, 1);
    resize(820, 480);
    updateTotal();

    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
        if (const QString spno = node->data(0, goodsCodeRole).toString(); !spno.isEmpty())
            choose(spno, node->text(0).section(QStringLiteral("  单价:"), 0, 0), node->data(0, goodsPriceRole).toDouble());
    });
    connect(list_, &QTableWidget::cellChanged, this, [this](int, int column) {
        if (column == 3)
            updateTotal();
    });
    connect(remove, &QPushButton::clicked, this, &Tfrmxfspxz::deleteClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QList<GoodsPick> Tfrmxfspxz::pick(const QSqlDatabase& db, QWidget* parent)
{
    Tfrmxfspxz picker(db, parent);
    if (picker.exec() != QDialog::Accepted)
        return {};
    return picker.chosen();
}

void Tfrmxfspxz::choose(const QString& spno, const QString& spname, double price)
{
    const QSignalBlocker quiet(list_);
    const int row = list_->rowCount();
    list_->insertRow(row);
    const QStringList texts{spno, spname, QString::number(price, 'f', 2), QStringLiteral("1")};
    for (int c = 0; c < texts.size(); ++c) {
        auto* cell = new QTableWidgetItem(texts[c]);
        if (c != 3)
            cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        list_->setItem(row, c, cell);
    }
    auto* sum = new QTableWidgetItem;
    sum->setFlags(sum->flags() & ~Qt::ItemIsEditable);
    list_->setItem(row, 4, sum);
    updateTotal();
}

void Tfrmxfspxz::deleteClick()
{
    const int row = list_->currentRow();
    if (row < 0)
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认删除当前商品?")) != QMessageBox::Yes)
        return;
    list_->removeRow(row);
    updateTotal();
}

void Tfrmxfspxz::updateTotal()
{
    const QSignalBlocker quiet(list_);
    double total = 0;
    for (int r = 0; r < list_->rowCount(); ++r) {
        const double line = list_->item(r, 2)->text().toDouble() * list_->item(r, 3)->text().toInt();
        list_->item(r, 4)->setText(QString::number(line, 'f', 2));
        total += line;
    }
    total_->setText(QStringLiteral("合计: ") + QString::number(total, 'f', 2));
}

QList<GoodsPick> Tfrmxfspxz::chosen() const
{
    QList<GoodsPick> out;
    for (int r = 0; r < list_->rowCount(); ++r) {
        const int quantity = list_->item(r, 3)->text().toInt();
        if (quantity > 0)
            out.append({list_->item(r, 0)->text(), quantity});
    }
    return out;
}
