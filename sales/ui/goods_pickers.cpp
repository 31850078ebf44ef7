#include "goods_pickers.h"

#include "dialog_layout.h"
#include "form_parts.h"
#include "globals.h"
#include "goods_class_tree.h"
#include "goods_lists.h"
#include "utils/namecode.h"

#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
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

}  // namespace

Tfrmspxz::Tfrmspxz(QSqlDatabase db, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), tree_(classTree(db_, this)), model_(new QSqlQueryModel(this)),
      grid_(mc::ui::makeGrid("goodsGrid", this))
{
    setObjectName(QStringLiteral("frmspxz"));
    setWindowTitle(QStringLiteral("商品选择"));
    auto* format = new mc::ui::GridFormat(this);
    format->setMoneyColumns({2});
    format->setSourceModel(model_);
    grid_->setModel(format);
    mc::ui::layoutTreeGridPicker(this, tree_, grid_, [this] { selectClick(); });
    resize(720, 460);
    classClicked(nullptr);
    connect(tree_, &QTreeWidget::itemClicked, this, &Tfrmspxz::classClicked);
}

void Tfrmspxz::classClicked(QTreeWidgetItem* node)
{
    mc::ui::showQuery(model_, mc::sales::goodsPickList(db_, mc::ui::goodsClassCode(node)),
                      {QStringLiteral("商品代码"), QStringLiteral("商品名称"), QStringLiteral("单价"), QStringLiteral("备注")},
                      grid_);
}

void Tfrmspxz::selectClick()
{
    const QVariant code = mc::ui::selectedValue(grid_, 0);
    if (!code.isValid())
        return;
    mc::pickedNumber = code.toString();
    mc::pickedName = mc::ui::selectedValue(grid_, 1).toString();
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
