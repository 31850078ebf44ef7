#include "goods_pickers.h"

#include "dialog_layout.h"
#include "form_parts.h"
#include "globals.h"
#include "goods_class_tree.h"
#include "goods_lists.h"
#include "query_kit.h"
#include "utils/namecode.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {

QTreeWidget* classTree(const QSqlDatabase& db, QWidget* parent)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QStringLiteral("classTree"));
    tree->setHeaderHidden(true);
    mc::ui::fillGoodsClassTree(tree, mc::sales::listGoodsClasses(db));
    return tree;
}

const mc::ui::QueryColumns goodsColumns = {
    {QStringLiteral("spno"), QStringLiteral("商品代码")},
    {QStringLiteral("spname"), QStringLiteral("商品名称")},
    {QStringLiteral("xsjg"), QStringLiteral("单价"), mc::ui::QueryColumn::Kind::Money},
    {QStringLiteral("fwbz"), QStringLiteral("备注")},
};

}  // namespace

Tfrmspxz::Tfrmspxz(QSqlDatabase db, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), tree_(classTree(db_, this)),
      goods_(new mc::ui::QueryView("goodsGrid", goodsColumns, this))
{
    setObjectName(QStringLiteral("frmspxz"));
    setWindowTitle(QStringLiteral("商品选择"));
    mc::ui::layoutTreeGridPicker(this, tree_, goods_, goods_->grid(), [this] { selectClick(); });
    resize(720, 460);
    classClicked(nullptr);
    connect(tree_, &QTreeWidget::itemClicked, this, &Tfrmspxz::classClicked);
}

void Tfrmspxz::classClicked(QTreeWidgetItem* node)
{
    goods_->load(mc::sales::goodsPickList(db_, mc::ui::goodsClassCode(node)));
}

void Tfrmspxz::selectClick()
{
    const QVariant code = goods_->selected(QStringLiteral("spno"));
    if (!code.isValid())
        return;
    mc::pickedNumber = code.toString();
    mc::pickedName = goods_->selected(QStringLiteral("spname")).toString();
    accept();
}

Tfrmsplbxz::Tfrmsplbxz(QSqlDatabase db, QWidget* parent) : QDialog(parent), tree_(classTree(db, this))
{
    setObjectName(QStringLiteral("frmsplbxz"));
    setWindowTitle(QStringLiteral("商品类别选择"));
    auto* select = mc::namedButton(this, QStringLiteral("选择"), "btnSelect");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "btnClose");
    mc::layoutWithButtons(this, tree_, {select, close});

    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &Tfrmsplbxz::selectClick);
    connect(select, &QPushButton::clicked, this, &Tfrmsplbxz::selectClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmsplbxz::selectClick()
{
    const QTreeWidgetItem* node = tree_->currentItem();
    if (!node)
        return;
    // Code and name come from the node's label.
    mc::pickedNumber = mc::getcode(node->text(0));
    mc::pickedName = mc::getnamepart(node->text(0));
    accept();
}
