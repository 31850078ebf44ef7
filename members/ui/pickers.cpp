#include "pickers.h"

#include "card_classes.h"
#include "dialog_layout.h"
#include "form_parts.h"
#include "globals.h"
#include "query_kit.h"
#include "utils/namecode.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

using namespace mc::members;

namespace {

// Kind nodes with their classes, as `name[code]` leaves.
void addKinds(QTreeWidgetItem* parent, QTreeWidget* tree, const QList<CardClassEntry>& classes,
              const std::function<bool(const QString&)>& allowed)
{
    for (const QString& kind : cardKinds()) {
        if (!allowed(kind))
            continue;
        auto* node = parent ? new QTreeWidgetItem(parent, {kind}) : new QTreeWidgetItem(tree, {kind});
        for (const CardClassEntry& c : classes)
            if (c.classname == kind)
                new QTreeWidgetItem(node, {c.label()});
    }
    tree->expandAll();
}

}  // namespace

// ---- card class picker -------------------------------------------------------------------

Tfrmcardclassxz::Tfrmcardclassxz(QSqlDatabase db, Kinds kinds, QWidget* parent)
    : EntryDialog("frmcardclassxz", QStringLiteral("选择卡类别"), 0, parent), db_(std::move(db)), kinds_(kinds),
      tree_(new QTreeWidget(this))
{
    tree_->setObjectName(QStringLiteral("classTree"));
    tree_->setHeaderHidden(true);
    auto* select = mc::namedButton(this, QStringLiteral("选择"), "btnSelect");
    auto* refresh = mc::namedButton(this, QStringLiteral("刷新"), "btnRefresh");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "btnClose");
    mc::layoutWithButtons(this, tree_, {select, refresh, close});
    buildTree();

    connect(select, &QPushButton::clicked, this, &Tfrmcardclassxz::selectClick);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &Tfrmcardclassxz::selectClick);
    connect(refresh, &QPushButton::clicked, this, &Tfrmcardclassxz::buildTree);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmcardclassxz::buildTree()
{
    tree_->clear();
    addKinds(nullptr, tree_, listCardClasses(db_), [this](const QString& kind) {
        return (kind == countKind && kinds_.count) || (kind == storedValueKind && kinds_.storedValue) ||
               (kind == discountKind && kinds_.discount);
    });
}

void Tfrmcardclassxz::selectClick()
{
    const QTreeWidgetItem* node = tree_->currentItem();
    const QString code = node ? mc::getcode(node->text(0)) : QString();
    if (code.isEmpty()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("必须选择卡类型"));
        return;
    }
    mc::pickedClass = code;
    accept();
}

// ---- member picker -----------------------------------------------------------------------

namespace {

using Kind = mc::ui::QueryColumn::Kind;

const mc::ui::QueryColumns memberColumns = {
    {QStringLiteral("memberno"), QStringLiteral("会员编号")},
    {QStringLiteral("membername"), QStringLiteral("姓名")},
    {QStringLiteral("cardname"), QStringLiteral("卡类型")},
    {QStringLiteral("curmoney"), QStringLiteral("余额"), Kind::Money},
    {QStringLiteral("curcs"), QStringLiteral("消费次数"), Kind::Count},
    {QStringLiteral("khdate"), QStringLiteral("开户日期"), Kind::Date},
    {QStringLiteral("dqdate"), QStringLiteral("到期日期"), Kind::Date},
    {QStringLiteral("sfzh"), QStringLiteral("身份证号")},
    {QStringLiteral("xfcs"), QStringLiteral("累计消费次数"), Kind::Count},
    {QStringLiteral("xfze"), QStringLiteral("累计消费总额"), Kind::Money},
    {QStringLiteral("cardstatus"), QStringLiteral("状态")},
    {QStringLiteral("cardno"), {}, Kind::Text, false, true},
};

}  // namespace

Tfrmhyxz::Tfrmhyxz(QSqlDatabase db, QWidget* parent)
    : EntryDialog("frmhyxz", QStringLiteral("会员选择"), 0, parent), db_(std::move(db)), tree_(new QTreeWidget(this)),
      members_(new mc::ui::QueryView("memberGrid", memberColumns, this))
{
    tree_->setObjectName(QStringLiteral("classTree"));
    tree_->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(tree_, {QStringLiteral("会员卡分类")});
    addKinds(root, tree_, listCardClasses(db_), [](const QString&) { return true; });

    mc::ui::layoutTreeGridPicker(this, tree_, members_, members_->grid(), [this] { selectClick(); });
    resize(900, 500);
    treeClicked(root);
    connect(tree_, &QTreeWidget::itemClicked, this, &Tfrmhyxz::treeClicked);
}

void Tfrmhyxz::treeClicked(QTreeWidgetItem* node)
{
    MemberFilter f;
    const QString code = mc::getcode(node->text(0));
    if (!code.isEmpty())
        f = {MemberFilter::By::Class, code};
    else if (cardKinds().contains(node->text(0)))
        f = {MemberFilter::By::Kind, node->text(0)};
    members_->load(memberPickList(db_, f));
}

void Tfrmhyxz::selectClick()
{
    const QVariant number = members_->selected(QStringLiteral("memberno"));
    if (!number.isValid())
        return;
    picked_ = MemberPick{number.toString(), members_->selected(QStringLiteral("membername")).toString(),
                         members_->selected(QStringLiteral("cardno")).toString()};
    mc::pickedNumber = picked_->memberno;
    mc::pickedName = picked_->membername;
    mc::pickedClass = picked_->cardno;
    accept();
}
