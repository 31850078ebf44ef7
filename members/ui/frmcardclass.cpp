#include "frmcardclass.h"

#include "dialog_layout.h"
#include "form_parts.h"
#include "frmcardspzkset.h"
#include "utils/decimaltext.h"
#include "utils/namecode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace mc::members;

namespace {

constexpr int cardClassHelpContext = 3;
const QString rootLabel = QStringLiteral("会员卡分类");

using mc::ui::redNote;

}  // namespace

int Tfrmcardclass::ModeRadios::checked() const
{
    for (int i = 0; i < 3; ++i)
        if (buttons[i]->isChecked())
            return i + 1;
    return 1;
}

void Tfrmcardclass::ModeRadios::check(int zkxffs)
{
    buttons[(zkxffs >= 1 && zkxffs <= 3 ? zkxffs : 1) - 1]->setChecked(true);
}

Tfrmcardclass::Tfrmcardclass(QSqlDatabase db, QWidget* parent)
    : MdiChild("frmcardclass", QStringLiteral("会员卡类型设置"), cardClassHelpContext, parent), db_(std::move(db))
{
    setOpensMaximised(true);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("classTree"));
    tree_->setHeaderHidden(true);
    tree_->setMaximumWidth(260);

    // The fields keep the room they need and scroll when the window is tiled small.
    auto* fields = new QScrollArea(this);
    fields->setObjectName(QStringLiteral("fieldsScroll"));
    fields->setWidgetResizable(true);
    fields->setFrameShape(QFrame::NoFrame);
    fields->setWidget(fieldsPane());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(fields, 1);
    mc::ui::enterMovesFocus(this);

    connect(tree_, &QTreeWidget::itemClicked, this, &Tfrmcardclass::treeClicked);
    FormShow();
}

QLineEdit* Tfrmcardclass::edit(const char* name, const char* allowed)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    if (*allowed)
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QLatin1String(allowed)), e));
    return e;
}

Tfrmcardclass::ModeRadios Tfrmcardclass::modeRadios(QWidget* parent, const char* prefix)
{
    const QString texts[] = {QStringLiteral("直接折扣"), QStringLiteral("折扣仅供下次消费使用，未用完不累计"),
                             QStringLiteral("折扣供下次消费使用，未用完可继续使用")};
    ModeRadios radios{};
    for (int i = 0; i < 3; ++i) {
        radios.buttons[i] = new QRadioButton(texts[i], parent);
        radios.buttons[i]->setObjectName(QLatin1String(prefix) + QString::number(i + 1));
    }
    return radios;
}

QWidget* Tfrmcardclass::fieldsPane()
{
    auto* pane = new QWidget(this);
    cardno_ = edit("cardno", "\\d{0,4}");
    cardno_->setMaxLength(4);
    cardname_ = edit("cardname", "");
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("classname"));
    kind_->addItems(cardKinds());
    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("卡类型代码"), cardno_);
    top->addRow(QStringLiteral("卡类型名称"), cardname_);
    top->addRow(QStringLiteral("所属大类"), kind_);

    basic_ = new QGroupBox(QStringLiteral("会员卡基本设置"), this);
    cardmoney_ = edit("cardmoney", "[0-9.]*");
    cardyajin_ = edit("cardyajin", "[0-9.]*");
    hkje_ = edit("hkje", "[0-9.]*");
    timelong_ = new QComboBox(this);
    timelong_->setObjectName(QStringLiteral("timelong"));
    for (const Validity& v : validityChoices())
        timelong_->addItem(v.text);
    cardyf_ = edit("cardyf", "\\d*");
    cardts_ = edit("cardts", "\\d*");
    auto* basicForm = new QFormLayout(basic_);
    basicForm->addRow(QStringLiteral("会员卡价格"), mc::leftRow({cardmoney_, redNote(QStringLiteral("注:会员注册价格（含年费)"), basic_)}));
    basicForm->addRow(QStringLiteral("会员卡押金"), cardyajin_);
    basicForm->addRow(QStringLiteral("换卡费用"), hkje_);
    basicForm->addRow(QStringLiteral("使用期限"), mc::leftRow({timelong_, new QLabel(QStringLiteral("计"), basic_), cardyf_,
                                                   new QLabel(QStringLiteral("月"), basic_), cardts_,
                                                   new QLabel(QStringLiteral("天"), basic_)}));

    // Created before the buttons, so Enter and Tab run from the basic fields into the kind's group.
    QGroupBox* count = countGroup();
    QGroupBox* stored = storedGroup();
    QGroupBox* discount = discountGroup();
    QWidget* itemList = itemsPane();

    add_ = mc::namedButton(this, QStringLiteral("添加(&A)"), "btnAdd");
    modify_ = mc::namedButton(this, QStringLiteral("修改(&E)"), "btnEdit");
    delete_ = mc::namedButton(this, QStringLiteral("删除(&&D)"), "btnDelete");
    save_ = mc::namedButton(this, QStringLiteral("保存(&S)"), "btnSave");
    cancel_ = mc::namedButton(this, QStringLiteral("取消(&C)"), "btnCancel");
    auto* close = mc::namedButton(this, QStringLiteral("退出(&C)"), "btnClose");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add_, modify_, delete_, save_, cancel_, close})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(pane);
    layout->addLayout(top);
    layout->addWidget(basic_);
    layout->addWidget(count);
    layout->addWidget(stored);
    layout->addWidget(discount);
    layout->addWidget(itemList, 1);
    layout->addLayout(buttons);

    connect(kind_, &QComboBox::activated, this, &Tfrmcardclass::kindChosen);
    connect(timelong_, &QComboBox::activated, this, &Tfrmcardclass::validityChosen);
    // The change fee starts as the deposit; the operator may change it afterwards.
    connect(cardyajin_, &QLineEdit::textEdited, hkje_, &QLineEdit::setText);
    connect(cardno_, &QLineEdit::editingFinished, this, [this] {
        if (!cardno_->text().trimmed().isEmpty())
            cardno_->setText(mc::padzero(cardno_->text().trimmed(), 4));
    });
    connect(add_, &QPushButton::clicked, this, &Tfrmcardclass::addClick);
    connect(modify_, &QPushButton::clicked, this, &Tfrmcardclass::editClick);
    connect(delete_, &QPushButton::clicked, this, &Tfrmcardclass::deleteClick);
    connect(save_, &QPushButton::clicked, this, &Tfrmcardclass::saveClick);
    connect(cancel_, &QPushButton::clicked, this, &Tfrmcardclass::cancelClick);
    connect(close, &QPushButton::clicked, this, &Tfrmcardclass::closeWindow);
    return pane;
}

QGroupBox* Tfrmcardclass::countGroup()
{
    countGroup_ = new QGroupBox(QStringLiteral("计次卡设置"), this);
    countGroup_->setObjectName(QStringLiteral("countGroup"));
    cardcs_ = edit("cardcs", "[0-9.]*");
    auto* form = new QFormLayout(countGroup_);
    form->addRow(QStringLiteral("消费次数合计"), mc::leftRow({cardcs_, new QLabel(QStringLiteral("次"), countGroup_)}));
    return countGroup_;
}

QGroupBox* Tfrmcardclass::storedGroup()
{
    storedGroup_ = new QGroupBox(QStringLiteral("储值卡设置"), this);
    storedGroup_->setObjectName(QStringLiteral("storedGroup"));
    ckqs_ = edit("ckqs", "[0-9.]*");
    ckqs_->setEnabled(false);
    czqs_ = edit("czqs", "[0-9.]*");
    svMembernf_ = edit("svMembernf", "[0-9.]*");
    svZkbl_ = edit("svZkbl", "[0-9.]*");
    yxxgscje_ = new QCheckBox(QStringLiteral("存款时允许调整存入卡内金额"), storedGroup_);
    yxxgscje_->setObjectName(QStringLiteral("yxxgscje"));
    // Bound to yxgbzk but never shown: a class made here does not let operators change the rate.
    svYxgbzk_ = new QCheckBox(QStringLiteral("消费时操作员可以修改折扣率"), storedGroup_);
    svYxgbzk_->hide();
    svMode_ = modeRadios(storedGroup_, "svMode");
    auto* form = new QFormLayout(storedGroup_);
    form->addRow(QStringLiteral("存款时收款"), mc::leftRow({ckqs_, new QLabel(QStringLiteral("元则存入卡内"), storedGroup_), czqs_,
                                               new QLabel(QStringLiteral("元"), storedGroup_)}));
    form->addRow(QStringLiteral("第二年起每年扣除会员费"), mc::leftRow({svMembernf_, new QLabel(QStringLiteral("元"), storedGroup_)}));
    form->addRow(QStringLiteral("默认消费折扣"), mc::leftRow({svZkbl_, new QLabel(QStringLiteral("折"), storedGroup_)}));
    form->addRow(yxxgscje_);
    for (QRadioButton* b : svMode_.buttons)
        form->addRow(b);
    form->addRow(redNote(QStringLiteral("注:折扣方式选择非直接折扣之外的方式时不能使用分商品折扣机，"), storedGroup_));
    form->addRow(redNote(QStringLiteral("正常模式消费(非简单模式)时也不允许修改商品折扣"), storedGroup_));
    return storedGroup_;
}

QGroupBox* Tfrmcardclass::discountGroup()
{
    discountGroup_ = new QGroupBox(QStringLiteral("积分卡消费设置"), this);
    discountGroup_->setObjectName(QStringLiteral("discountGroup"));
    dMembernf_ = edit("dMembernf", "[0-9.]*");
    dZkbl_ = edit("dZkbl", "[0-9.]*");
    dYxgbzk_ = new QCheckBox(QStringLiteral("消费时操作员可以修改折扣率"), discountGroup_);
    dYxgbzk_->hide();
    dMode_ = modeRadios(discountGroup_, "dMode");
    auto* form = new QFormLayout(discountGroup_);
    form->addRow(QStringLiteral("第二年起每年收会员年费"), mc::leftRow({dMembernf_, new QLabel(QStringLiteral("年"), discountGroup_)}));
    form->addRow(QStringLiteral("默认消费折扣"), mc::leftRow({dZkbl_, new QLabel(QStringLiteral("折"), discountGroup_)}));
    for (QRadioButton* b : dMode_.buttons)
        form->addRow(b);
    form->addRow(redNote(QStringLiteral("注:折扣方式选择非直接折扣之外的方式时不能使用分商品折扣机，"), discountGroup_));
    form->addRow(redNote(QStringLiteral("正常模式消费(非简单模式)时也不允许修改商品折扣"), discountGroup_));
    return discountGroup_;
}

QWidget* Tfrmcardclass::itemsPane()
{
    auto* pane = new QWidget(this);
    itemGrid_ = new QTableWidget(0, 4, pane);
    itemGrid_->setObjectName(QStringLiteral("itemGrid"));
    itemGrid_->setHorizontalHeaderLabels({QStringLiteral("商品分类名称"), QStringLiteral("商品名称"),
                                          QStringLiteral("消费次数"), QStringLiteral("消费折扣")});
    itemGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    itemGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    itemGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    itemGrid_->horizontalHeader()->setStretchLastSection(true);
    itemButtons_ = new QWidget(pane);
    auto* add = mc::namedButton(itemButtons_, QStringLiteral("增加商品"), "btnItemAdd");
    auto* editItem = mc::namedButton(itemButtons_, QStringLiteral("编辑商品"), "btnItemEdit");
    auto* remove = mc::namedButton(itemButtons_, QStringLiteral("删除商品"), "btnItemDelete");
    auto* buttons = new QHBoxLayout(itemButtons_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(add);
    buttons->addWidget(editItem);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("分服务项目消费次数"), pane));
    layout->addWidget(itemGrid_);
    layout->addWidget(itemButtons_);
    connect(add, &QPushButton::clicked, this, &Tfrmcardclass::itemAdd);
    connect(editItem, &QPushButton::clicked, this, &Tfrmcardclass::itemEdit);
    connect(remove, &QPushButton::clicked, this, &Tfrmcardclass::itemDelete);
    return pane;
}

// ---- tree and fields ---------------------------------------------------------------------

void Tfrmcardclass::FormShow()
{
    buildTree();
    items_.clear();
    clearFields();
    setMode(EditMode::Viewing);
}

void Tfrmcardclass::buildTree()
{
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, {rootLabel});
    for (const QString& kind : cardKinds())
        new QTreeWidgetItem(root, {kind});
    for (const CardClassEntry& c : listCardClasses(db_))
        if (QTreeWidgetItem* parent = kindNode(c.classname))
            new QTreeWidgetItem(parent, {c.label()});
    tree_->expandAll();
}

QTreeWidgetItem* Tfrmcardclass::kindNode(const QString& kind) const
{
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
        if (root->child(i)->text(0) == kind)
            return root->child(i);
    return nullptr;
}

void Tfrmcardclass::treeClicked(QTreeWidgetItem* node)
{
    if (!tree_->isEnabled() || mode_ != EditMode::Viewing)
        return;
    const QString code = mc::getcode(node->text(0));
    if (code.isEmpty()) {
        items_.clear();
        clearFields();
    } else {
        loadClass(code);
    }
    setMode(EditMode::Viewing);
}

void Tfrmcardclass::loadClass(const QString& code)
{
    const auto form = loadCardClass(db_, code);
    if (!form) {
        clearFields();
        return;
    }
    fill(*form);
    items_.load(db_, code);
    showItems();
}

void Tfrmcardclass::fill(const CardClassForm& f)
{
    cardno_->setText(f.cardno);
    cardname_->setText(f.cardname);
    kind_->setCurrentIndex(kind_->findText(f.classname));
    cardmoney_->setText(f.cardmoney);
    cardyajin_->setText(f.cardyajin);
    hkje_->setText(f.hkje);
    timelong_->setCurrentIndex(timelong_->findText(f.timelong));
    cardyf_->setText(f.cardyf);
    cardts_->setText(f.cardts);
    cardcs_->setText(f.cardcs);
    ckqs_->setText(f.ckqs);
    czqs_->setText(f.czqs);
    svMembernf_->setText(f.stored.membernf);
    svZkbl_->setText(f.stored.zkbl);
    yxxgscje_->setChecked(f.yxxgscje);
    svYxgbzk_->setChecked(f.stored.yxgbzk);
    svMode_.check(f.stored.zkxffs);
    dMembernf_->setText(f.discount.membernf);
    dZkbl_->setText(f.discount.zkbl);
    dYxgbzk_->setChecked(f.discount.yxgbzk);
    dMode_.check(f.discount.zkxffs);
    kindChanged();
}

CardClassForm Tfrmcardclass::read() const
{
    CardClassForm f;
    f.cardno = cardno_->text();
    f.cardname = cardname_->text();
    f.classname = kind_->currentText();
    f.cardmoney = cardmoney_->text();
    f.cardyajin = cardyajin_->text();
    f.hkje = hkje_->text();
    f.timelong = timelong_->currentText();
    f.cardyf = cardyf_->text();
    f.cardts = cardts_->text();
    f.cardcs = cardcs_->text();
    f.ckqs = ckqs_->text();
    f.czqs = czqs_->text();
    f.yxxgscje = yxxgscje_->isChecked();
    f.stored = {svZkbl_->text(), svMembernf_->text(), svYxgbzk_->isChecked(), svMode_.checked()};
    f.discount = {dZkbl_->text(), dMembernf_->text(), dYxgbzk_->isChecked(), dMode_.checked()};
    return f;
}

void Tfrmcardclass::clearFields()
{
    CardClassForm defaults;
    fill(defaults);
    itemGrid_->setRowCount(0);
}

void Tfrmcardclass::setMode(EditMode mode)
{
    mode_ = mode;
    const bool viewing = mode == EditMode::Viewing;
    const bool loaded = !cardno_->text().trimmed().isEmpty();
    add_->setEnabled(viewing);
    modify_->setEnabled(viewing && loaded);
    delete_->setEnabled(viewing && loaded);
    save_->setEnabled(!viewing);
    cancel_->setEnabled(!viewing);
    tree_->setEnabled(viewing);
    cardno_->setEnabled(mode == EditMode::Adding);
    kind_->setEnabled(mode == EditMode::Adding);
    cardname_->setEnabled(!viewing);
    kindChanged();
}

void Tfrmcardclass::kindChanged()
{
    const QString kind = kind_->currentText();
    const bool chosen = kind_->currentIndex() >= 0;
    const bool open = mode_ != EditMode::Viewing && chosen;
    countGroup_->setVisible(!chosen || kind == countKind);
    storedGroup_->setVisible(kind == storedValueKind);
    discountGroup_->setVisible(kind == discountKind);
    for (QGroupBox* g : {basic_, countGroup_, storedGroup_, discountGroup_})
        g->setEnabled(open);
    itemButtons_->setEnabled(open);
    const bool count = kind == countKind;
    itemGrid_->setColumnHidden(0, count);
    itemGrid_->setColumnHidden(2, !count);
    itemGrid_->setColumnHidden(3, count);
    validityFields();
}

void Tfrmcardclass::kindChosen()
{
    kindChanged();
    // Item edits not yet saved are dropped with a change of kind. A class being added has no
    // stored items: loading those of a code typed so far would hand another class's rows to
    // the new one when it is saved under a different code.
    if (mode_ == EditMode::Adding)
        items_.clear();
    else
        items_.load(db_, cardno_->text().trimmed());
    showItems();
}

void Tfrmcardclass::validityChosen()
{
    CardClassForm f = read();
    chooseValidity(f, timelong_->currentText());
    cardyf_->setText(f.cardyf);
    cardts_->setText(f.cardts);
    svMembernf_->setText(f.stored.membernf);
    dMembernf_->setText(f.discount.membernf);
    validityFields();
}

void Tfrmcardclass::validityFields()
{
    const Validity* v = findValidity(timelong_->currentText());
    const bool typed = v && v->typed;
    const bool yearly = v && v->yearlyFee;
    const bool open = mode_ != EditMode::Viewing;
    cardyf_->setEnabled(open && typed);
    cardts_->setEnabled(open && typed);
    svMembernf_->setEnabled(open && yearly);
    dMembernf_->setEnabled(open && yearly);
}

void Tfrmcardclass::showItems()
{
    const QList<CardItem>& rows = items_.rows();
    itemGrid_->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const CardItem& item = rows[r];
        const QString cells[] = {item.className, item.goodsName, QString::number(item.xfcs), mc::fixedText(item.xfzk, 2)};
        for (int c = 0; c < 4; ++c)
            itemGrid_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

// ---- commands ----------------------------------------------------------------------------

void Tfrmcardclass::addClick()
{
    items_.clear();
    clearFields();
    kind_->setCurrentIndex(-1);
    setMode(EditMode::Adding);
    cardno_->setFocus();
}

void Tfrmcardclass::editClick()
{
    if (cardno_->text().trimmed().isEmpty())
        return;
    setMode(EditMode::Editing);
    cardname_->setFocus();
}

void Tfrmcardclass::saveClick()
{
    CardClassForm f = read();
    if (kind_->currentIndex() < 0)
        f.classname.clear();
    const EditMode was = mode_;
    const mc::Done r = saveCardClass(db_, f, was, items_);
    // The checks pad the code and fill defaults; the window shows them as they now stand.
    cardno_->setText(f.cardno);
    for (auto [e, text] : {std::pair{cardmoney_, f.cardmoney}, {cardyajin_, f.cardyajin}, {hkje_, f.hkje},
                           {cardyf_, f.cardyf}, {cardts_, f.cardts}, {cardcs_, f.cardcs}, {ckqs_, f.ckqs},
                           {czqs_, f.czqs}, {svMembernf_, f.stored.membernf}, {svZkbl_, f.stored.zkbl},
                           {dMembernf_, f.discount.membernf}, {dZkbl_, f.discount.zkbl}})
        e->setText(text);
    timelong_->setCurrentIndex(timelong_->findText(f.timelong));
    if (!r.ok) {
        QMessageBox::warning(this, windowTitle(), r.message);
        if (auto* field = findChild<QWidget*>(r.field); field && !r.field.isEmpty())
            field->setFocus();
        return;
    }
    const QString label = CardClassEntry{f.cardno, f.cardname, f.classname}.label();
    if (was == EditMode::Adding) {
        auto* node = new QTreeWidgetItem(kindNode(f.classname), {label});
        tree_->setCurrentItem(node);
    } else if (QTreeWidgetItem* node = tree_->currentItem()) {
        node->setText(0, label);
    }
    items_.load(db_, f.cardno);
    showItems();
    setMode(EditMode::Viewing);
}

void Tfrmcardclass::cancelClick()
{
    if (mode_ == EditMode::Adding) {
        items_.clear();
        clearFields();
    } else {
        loadClass(cardno_->text());
    }
    setMode(EditMode::Viewing);
}

void Tfrmcardclass::deleteClick()
{
    const QString code = cardno_->text().trimmed();
    if (code.isEmpty())
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认删除该种卡类型,是否继续?")) != QMessageBox::Yes)
        return;
    const mc::Done r = deleteCardClass(db_, code);
    if (!r.ok) {
        QMessageBox::warning(this, windowTitle(), r.message);
        return;
    }
    if (QTreeWidgetItem* node = tree_->currentItem(); node && mc::getcode(node->text(0)) == code)
        delete node;
    items_.clear();
    clearFields();
    setMode(EditMode::Viewing);
}

void Tfrmcardclass::itemAdd()
{
    openItem(CardItem{}, -1);
}

void Tfrmcardclass::itemEdit()
{
    const int r = itemGrid_->currentRow();
    if (r < 0 || r >= items_.rows().size()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("请选择要编辑的项目"));
        return;
    }
    openItem(items_.rows()[r], r);
}

void Tfrmcardclass::itemDelete()
{
    const int r = itemGrid_->currentRow();
    if (r < 0 || r >= items_.rows().size()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("请选择要删除的项目"));
        return;
    }
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认删除该商品,是否继续?")) != QMessageBox::Yes)
        return;
    items_.remove(r);
    showItems();
}

void Tfrmcardclass::openItem(const CardItem& item, int row)
{
    // The first saved row takes the place being edited; rows saved after it are appended.
    int target = row;
    Tfrmcardspzkset dialog(db_, kind_->currentText() == countKind, item,
                           [this, &target](const CardItem& posted) {
                               if (target >= 0)
                                   items_.replace(target, posted);
                               else
                                   items_.append(posted);
                               target = -1;
                               showItems();
                           },
                           this);
    dialog.exec();
}
