#include "frmxf.h"

#include "checkout_lists.h"
#include "checkout_receipt.h"
#include "custom_field_page.h"
#include "database.h"
#include "dialog_layout.h"
#include "form_parts.h"
#include "frmpassword.h"
#include "frmreadcard.h"
#include "globals.h"
#include "goods.h"
#include "goods_class_tree.h"
#include "goods_lists.h"
#include "key_filters.h"
#include "ic_card.h"
#include "pickers.h"
#include "pos_printer.h"
#include "reader_port.h"
#include "reader_settings.h"
#include "receipt_report.h"
#include "settings_cache.h"
#include "tavrik_card_reader.h"
#include "template_catalogue.h"
#include "utils/sysset.h"
#include "window_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using mc::Money;
using namespace mc::sales;

namespace {

constexpr int checkoutHelpContext = 13;
const QString storedValueCard = QStringLiteral("储值卡");

// The member tab: caption and the column it shows.
struct MemberField {
    const char* caption;
    const char* column;
};
const MemberField memberFields[] = {
    {"会员编号", "memberno"},      {"会员卡号", "truecard"},   {"姓名", "membername"},
    {"性别", "sex"},               {"注册卡类型", nullptr},    {"卡大类", nullptr},
    {"续卡日期", "lastnfdate"},    {"到期日期", "dqdate"},     {"身份证号码", "sfzh"},
    {"生日", "birthday"},          {"手机号码", "movetel"},    {"会员卡状态", "cardstatus"},
    {"剩余金额", "curmoney"},      {"当前积分", "xfjf"},       {"累计消费金额", "xfze"},
    {"累计消费次数", "xfcs"},      {"可抵扣金额", "syyhje"},
};
constexpr int classNameField = 4, bigClassField = 5, remainingField = 12;

// The columns of the lines grid.
enum LineColumn { Name, Price, Quantity, Rate, Settlement, Total, Staff, ServiceType, Commission, Service, Points, NoPoints };

QLineEdit* readOnlyBox(const char* name, QWidget* parent)
{
    QLineEdit* e = mc::ui::namedEdit(parent, name);
    e->setReadOnly(true);
    return e;
}

// An empty or unreadable money box counts as 0.
Money moneyOf(const QLineEdit* e)
{
    return mc::ui::moneyOf(e).value_or(Money());
}

using Kind = mc::ui::QueryColumn::Kind;

const mc::ui::QueryColumns historyColumns = {
    {QStringLiteral("skdate"), QStringLiteral("日期"), Kind::Date},
    {QStringLiteral("membername"), QStringLiteral("姓名")},
    {QStringLiteral("xfje"), QStringLiteral("实际消费"), Kind::Money, true},
    {QStringLiteral("sjxfje"), QStringLiteral("应消费金额"), Kind::Money, true},
    {QStringLiteral("bcdkje"), QStringLiteral("本次抵扣金额"), Kind::Money, true},
    {QStringLiteral("sjzkl"), QStringLiteral("折扣率"), Kind::Count},
    {QStringLiteral("zkhje"), QStringLiteral("折扣后金额"), Kind::Money, true},
    {QStringLiteral("otyh"), QStringLiteral("其他优惠"), Kind::Money, true},
    {QStringLiteral("otsk"), QStringLiteral("其他收款"), Kind::Money, true},
};

const mc::ui::QueryColumns openColumns = {
    {QStringLiteral("bcdate"), QStringLiteral("保存日期"), Kind::Date},
    {QStringLiteral("memberno"), QStringLiteral("会员编码")},
    {QStringLiteral("membername"), QStringLiteral("姓名")},
    {QStringLiteral("zmfs"), QStringLiteral("收款方式")},
    {QStringLiteral("sjxfje"), QStringLiteral("应消费金额"), Kind::Money},
    {QStringLiteral("xfje"), QStringLiteral("实际消费"), Kind::Money},
    {QStringLiteral("xfdh"), QStringLiteral("消费单号")},
};

}  // namespace

Tfrmxf::Tfrmxf(QSqlDatabase db, mc::devices::CardReader& reader, QWidget* parent)
    : MdiChild("frmxf", QStringLiteral("会员消费"), checkoutHelpContext, parent), db_(std::move(db)), reader_(reader)
{
    setOpensMaximised(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    tabs_->addTab(memberTab(), QStringLiteral("会员信息"));
    customTab_ = new QWidget(this);
    new QVBoxLayout(customTab_);
    tabs_->addTab(customTab_, QStringLiteral("自定义信息"));
    tabs_->addTab(historyTab(), QStringLiteral("会员历史消费记录"));
    tabs_->addTab(openTab(), QStringLiteral("消费记录"));

    cardButton_ = mc::namedButton(this, QStringLiteral("刷卡消费(&C)"), "btnCard");
    cashButton_ = mc::namedButton(this, QStringLiteral("现金消费(&X)"), "btnCash");
    saveButton_ = mc::namedButton(this, QStringLiteral("消费确定(O)"), "btnSave");
    cancelButton_ = mc::namedButton(this, QStringLiteral("取消"), "btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 2);
    layout->addWidget(voucherBox());
    layout->addWidget(goodsBox(), 3);
    layout->addLayout(mc::buttonRow({cardButton_, cashButton_, saveButton_, cancelButton_}));
    popup_ = goodsPopup();

    connect(cardButton_, &QPushButton::clicked, this, &Tfrmxf::cardClick);
    connect(cashButton_, &QPushButton::clicked, this, &Tfrmxf::cashClick);
    connect(saveButton_, &QPushButton::clicked, this, &Tfrmxf::saveClick);
    connect(cancelButton_, &QPushButton::clicked, this, &Tfrmxf::cancelClick);
    // The pop-up list hides when the focus goes anywhere else in the window.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (popup_->isVisible() && now != code_ && !popup_->isAncestorOf(now))
            popup_->hide();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{jkfs_, sjxfje_, sjzkl_, otyh_})
        mc::enterMovesFocus(w);
    FormShow();
}

Tfrmxf::~Tfrmxf() = default;

// ---- layout ----------------------------------------------------------------------------------

QWidget* Tfrmxf::memberTab()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout;
    int i = 0;
    for (const MemberField& f : memberFields) {
        auto* value = new QLabel(page);
        value->setObjectName(QStringLiteral("member_") + QString::number(i));
        value->setMinimumWidth(110);
        auto* caption = new QLabel(QString::fromUtf8(f.caption) + u':', page);
        if (i == remainingField)
            remainingLabel_ = caption;
        grid->addWidget(caption, i / 3, (i % 3) * 2);
        grid->addWidget(value, i / 3, (i % 3) * 2 + 1);
        memberValues_.append(value);
        ++i;
    }
    // Without a card device there is no card number to show.
    if (mc::cardMode == 3)
        memberValues_[1]->hide();
    birthday_ = new QLabel(page);
    birthday_->setObjectName(QStringLiteral("lblBirthday"));
    birthday_->setStyleSheet(QStringLiteral("color: red"));
    grid->addWidget(birthday_, i / 3 + 1, 0, 1, 6);
    photo_ = new QLabel(page);
    photo_->setObjectName(QStringLiteral("memberPhoto"));
    photo_->setFixedSize(120, 150);
    photo_->setFrameShape(QFrame::Box);
    photo_->setScaledContents(true);
    auto* row = new QHBoxLayout(page);
    row->addLayout(grid, 1);
    row->addWidget(photo_);
    return page;
}

QWidget* Tfrmxf::historyTab()
{
    history_ = new mc::ui::QueryView("historyGrid", historyColumns, this);
    return history_;
}

QWidget* Tfrmxf::openTab()
{
    open_ = new mc::ui::QueryView("openGrid", openColumns, this);
    return open_;
}

QGroupBox* Tfrmxf::voucherBox()
{
    auto* box = new QGroupBox(QStringLiteral("储值卡，折扣卡消费"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    jkfs_ = new QComboBox(box);
    jkfs_->setObjectName(QStringLiteral("jkfs"));
    sjxfje_ = mc::ui::moneyEdit(box, "sjxfje");
    sjzkl_ = mc::ui::moneyEdit(box, "sjzkl");
    zkfs_ = new QLabel(box);
    zkfs_->setObjectName(QStringLiteral("zkfs"));
    zkhje_ = readOnlyBox("zkhje", box);
    otyh_ = mc::ui::moneyEdit(box, "otyh");
    bcdkje_ = readOnlyBox("bcdkje", box);
    useCredit_ = new QCheckBox(QStringLiteral("使用可抵扣金额"), box);
    useCredit_->setObjectName(QStringLiteral("useCredit"));
    otsk_ = mc::ui::moneyEdit(box, "otsk");
    xfje_ = readOnlyBox("xfje", box);
    bcxfjf_ = readOnlyBox("bcxfjf", box);
    staff_ = readOnlyBox("ygid", box);
    staffButton_ = mc::namedButton(box, QStringLiteral("..."), "btnStaff");
    staffButton_->setMaximumWidth(30);

    auto* grid = new QGridLayout(box);
    const QList<QPair<QString, QWidget*>> cells = {
        {QStringLiteral("收款方式"), jkfs_},   {QStringLiteral("消费金额"), sjxfje_},
        {QStringLiteral("默认折扣率"), sjzkl_}, {QStringLiteral("折扣方式"), zkfs_},
        {QStringLiteral("折扣金额"), zkhje_},  {QStringLiteral("其他优惠"), otyh_},
        {QStringLiteral("本次可抵扣金额"), bcdkje_}, {QStringLiteral("其他收费"), otsk_},
        {QStringLiteral("实际消费"), xfje_},   {QStringLiteral("本次获得积分"), bcxfjf_},
    };
    for (int i = 0; i < cells.size(); ++i) {
        grid->addWidget(new QLabel(cells[i].first, box), i / 5, (i % 5) * 2);
        grid->addWidget(cells[i].second, i / 5, (i % 5) * 2 + 1);
    }
    grid->addWidget(useCredit_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("服务员"), box), 2, 2);
    grid->addLayout(mc::leftRow({staff_, staffButton_}), 2, 3, 1, 3);

    connect(sjxfje_, &QLineEdit::editingFinished, this, [this] {
        if (calc_ && mc::settings.jdms && moneyOf(sjxfje_) != calc_->totals().sjxfje) {
            calc_->setAmountDue(moneyOf(sjxfje_));
            showTotals();
        }
    });
    connect(sjzkl_, &QLineEdit::editingFinished, this, [this] {
        if (calc_ && sjzkl_->text().toDouble() != calc_->totals().sjzkl) {
            calc_->setRate(sjzkl_->text().toDouble());
            showTotals();
        }
    });
    connect(otyh_, &QLineEdit::editingFinished, this, [this] {
        if (calc_ && moneyOf(otyh_) != calc_->totals().otyh) {
            calc_->setOtherReduction(moneyOf(otyh_));
            showTotals();
        }
    });
    connect(otsk_, &QLineEdit::editingFinished, this, [this] {
        if (calc_ && moneyOf(otsk_) != calc_->totals().otsk) {
            calc_->setOtherCharge(moneyOf(otsk_));
            showTotals();
        }
    });
    // Enter in 其他收费 confirms the voucher in simple mode, and moves on otherwise.
    connect(otsk_, &QLineEdit::returnPressed, this, [this] {
        if (mc::settings.jdms && saveButton_->isEnabled())
            saveClick();
        else
            focusNextChild();
    });
    connect(useCredit_, &QCheckBox::toggled, this, [this](bool on) {
        if (calc_) {
            calc_->setUseCredit(on);
            showTotals();
        }
    });
    connect(staffButton_, &QPushButton::clicked, this, &Tfrmxf::voucherStaffClick);
    return box;
}

QGroupBox* Tfrmxf::goodsBox()
{
    goods_ = new QGroupBox(QStringLiteral("录入详细的商品信息"), this);
    goods_->setObjectName(QStringLiteral("GroupBox2"));
    code_ = new QLineEdit(goods_);
    code_->setObjectName(QStringLiteral("spno"));
    code_->installEventFilter(this);
    byPinyin_ = new QCheckBox(QStringLiteral("使用拼音码录入"), goods_);
    byPinyin_->setObjectName(QStringLiteral("byPinyin"));
    auto* pick = mc::namedButton(goods_, QStringLiteral("选择商品"), "btnPickGoods");
    auto* remove = mc::namedButton(goods_, QStringLiteral("删除商品"), "btnDeleteGoods");
    lines_ = new QTableWidget(0, 12, goods_);
    lines_->setObjectName(QStringLiteral("linesGrid"));
    lines_->setHorizontalHeaderLabels({QStringLiteral("商品名称"), QStringLiteral("商品单价"), QStringLiteral("数量"),
                                       QStringLiteral("折扣(折)"), QStringLiteral("结算价格"), QStringLiteral("商品总价"),
                                       QStringLiteral("服务员"), QStringLiteral("服务类型"), QStringLiteral("员工提成"),
                                       QStringLiteral("服务类商品"), QStringLiteral("积分"), QStringLiteral("不积分")});
    lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    linesTotal_ = new QLabel(goods_);
    linesTotal_->setObjectName(QStringLiteral("linesTotal"));

    auto* layout = new QVBoxLayout(goods_);
    layout->addLayout(mc::leftRow({new QLabel(QStringLiteral("商品代码"), goods_), code_, byPinyin_, pick, remove}));
    layout->addWidget(lines_, 1);
    layout->addWidget(linesTotal_);

    connect(code_, &QLineEdit::textEdited, this, &Tfrmxf::codeEdited);
    connect(code_, &QLineEdit::returnPressed, this, &Tfrmxf::codeReturn);
    connect(byPinyin_, &QCheckBox::toggled, this, [](bool on) {
        mc::writebool(QStringLiteral("spxz"), QStringLiteral("xfsp"), on);
    });
    connect(pick, &QPushButton::clicked, this, &Tfrmxf::pickGoodsClick);
    connect(remove, &QPushButton::clicked, this, &Tfrmxf::deleteGoodsClick);
    connect(lines_, &QTableWidget::cellChanged, this, &Tfrmxf::lineCellChanged);
    return goods_;
}

QFrame* Tfrmxf::goodsPopup()
{
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("goodsPopup"));
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    popupTree_ = new QTreeWidget(frame);
    popupTree_->setObjectName(QStringLiteral("popupTree"));
    popupTree_->setHeaderHidden(true);
    popupList_ = new QTableWidget(0, 4, frame);
    popupList_->setObjectName(QStringLiteral("popupList"));
    popupList_->setHorizontalHeaderLabels({QStringLiteral("商品类别"), QStringLiteral("商品代码"),
                                           QStringLiteral("商品名称"), QStringLiteral("单价")});
    popupList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    popupList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    popupList_->setSelectionMode(QAbstractItemView::SingleSelection);
    popupList_->installEventFilter(this);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(popupTree_, 1);
    layout->addWidget(popupList_, 2);
    frame->resize(620, 260);
    frame->hide();
    connect(popupTree_, &QTreeWidget::itemClicked, this, &Tfrmxf::popupClassClicked);
    connect(popupList_, &QTableWidget::cellDoubleClicked, this, &Tfrmxf::addFromPopup);
    return frame;
}

void Tfrmxf::FormShow()
{
    const mc::SettingsCache& s = mc::settings;
    sjzkl_->setReadOnly(!s.yxxgzk);
    byPinyin_->setChecked(mc::readbool(QStringLiteral("spxz"), QStringLiteral("xfsp")));
    mc::ui::fillGoodsClassTree(popupTree_, listGoodsClasses(db_));
    serviceTypes_ = QStringList{QString()} + serviceTypes(db_);
    jkfs_->clear();
    jkfs_->addItems(accountNames(db_));
    open_->load(openVouchers(db_));
    goods_->setVisible(!s.jdms);
    popup_->hide();
    setEntering(false);
}

void Tfrmxf::setEntering(bool on)
{
    saveButton_->setEnabled(on);
    cancelButton_->setEnabled(on);
    cardButton_->setEnabled(!on);
    cashButton_->setEnabled(!on);
    for (QWidget* w : std::initializer_list<QWidget*>{jkfs_, sjxfje_, sjzkl_, otyh_, otsk_, useCredit_, staffButton_, code_})
        w->setEnabled(on);
    if (on) {
        jkfs_->setEnabled(member_ && member_->classname != storedValueCard);
        sjxfje_->setEnabled(mc::settings.jdms);
    }
}

// ---- starting a consumption ---------------------------------------------------------------------

void Tfrmxf::cardClick()
{
    // The member is asked for a moment later, once the window has settled.
    QTimer::singleShot(100, this, [this] {
        mc::pickedNumber.clear();
        mc::pickedName.clear();
        mc::pickedClass.clear();
        mc::readCardBalance.clear();
        if (mc::cardMode == 3) {
            Tfrmhyxz picker(db_, this);
            picker.exec();
            if (!mc::pickedNumber.isEmpty())
                startFor(LookupBy::MemberNo, mc::pickedNumber);
            return;
        }
        Tfrmreadcard dialog(reader_, this);
        if (dialog.exec() == QDialog::Accepted && !mc::pickedNumber.isEmpty())
            startFor(LookupBy::Card, mc::pickedNumber);
    });
}

void Tfrmxf::cashClick()
{
    startFor(LookupBy::Card, cashCustomerNo);
}

bool Tfrmxf::startFor(LookupBy by, const QString& key)
{
    const auto found = lookupForCheckout(db_, by, key, QDate::currentDate());
    if (!found) {
        QMessageBox::information(this, windowTitle(), found.message);
        return false;
    }
    clearVoucher();
    lookupBy_ = by;
    lookupKey_ = key;
    member_ = found.value;
    showMember(found.value, found.message);
    if (!found.message.isEmpty())
        QMessageBox::information(this, windowTitle(), found.message);

    const QString memberno = found.value.row.value(QStringLiteral("memberno")).toString();
    const std::optional<VoucherSetup> setup = loadVoucherSetup(db_, memberno);
    if (!setup)
        return false;
    rules_ = std::make_unique<DbRuleSource>(db_);
    calc_ = std::make_unique<VoucherAmounts>(*setup, *rules_);
    useCredit_->setVisible(setup->mode != DiscountMode::Direct);
    zkfs_->setText(discountModeText(setup->mode));
    const bool storedValue = found.value.classname == storedValueCard;
    // A stored-value card pays from its balance; any other card to one of the accounts.
    jkfs_->clear();
    if (storedValue)
        jkfs_->addItem(QStringLiteral("卡内扣除"));
    else
        jkfs_->addItems(accountNames(db_));
    jkfs_->setCurrentText(storedValue ? QStringLiteral("卡内扣除") : QStringLiteral("现金"));
    setEntering(true);
    showLines();
    showTotals();
    (mc::settings.jdms ? sjxfje_ : code_)->setFocus();
    return true;
}

void Tfrmxf::showMember(const FoundMember& found, const QString& note)
{
    const QVariantMap& row = found.row;
    int i = 0;
    for (const MemberField& f : memberFields) {
        QString text;
        if (i == classNameField)
            text = found.cardname;
        else if (i == bigClassField)
            text = found.classname;
        else {
            const QVariant v = row.value(QLatin1String(f.column));
            const QString column = QLatin1String(f.column);
            if (column.endsWith(QLatin1String("date")) || column == QLatin1String("birthday"))
                text = mc::db::toDateTime(v).date().toString(QStringLiteral("yyyy-MM-dd"));
            else if (column == QLatin1String("curmoney") || column == QLatin1String("xfze") || column == QLatin1String("syyhje"))
                text = Money::fromDouble(v.toDouble()).text(2);
            else
                text = v.toString();
        }
        memberValues_[i++]->setText(text);
    }
    remainingLabel_->setText(QStringLiteral("剩余金额:"));
    birthday_->setText(note);

    // The photo, or the program's stand-ins for a missing file and for no photo at all.
    const QString path = row.value(QStringLiteral("memberphoto")).toString();
    const QString shown = path.isEmpty() ? mc::appPath + QStringLiteral("nophoto.jpg")
                          : QFile::exists(path) ? path
                                                : mc::appPath + QStringLiteral("nopath.jpg");
    photo_->setPixmap(QFile::exists(shown) ? QPixmap(shown) : QPixmap());

    // The custom fields, shown and not edited.
    delete customPage_;
    customPage_ = CustomFieldPage::fromDatabase(db_, customTab_);
    customPage_->setEnabled(false);
    QHash<QString, QVariant> values;
    for (auto it = row.begin(); it != row.end(); ++it)
        values.insert(it.key(), it.value());
    customPage_->setValues(values);
    customTab_->layout()->addWidget(customPage_);

    const QString memberno = row.value(QStringLiteral("memberno")).toString();
    history_->load(memberHistory(db_, memberno));
}

void Tfrmxf::clearVoucher()
{
    calc_.reset();
    rules_.reset();
    member_.reset();
    lineInputs_.clear();
    voucherStaff_.reset();
    staff_->clear();
    for (QLineEdit* e : {sjxfje_, otyh_, otsk_})
        e->clear();
    {
        const QSignalBlocker quiet(useCredit_);
        useCredit_->setChecked(false);
    }
    lines_->setRowCount(0);
}

// ---- goods -----------------------------------------------------------------------------------

void Tfrmxf::addGoods(const QString& spno, int quantity)
{
    if (!calc_)
        return;
    const std::optional<Goods> g = findGoods(db_, spno);
    if (!g)
        return;
    calc_->addGoods(GoodsItem{g->spno, g->spname, g->spclass, g->xsjg, g->istj, isServiceGoods(db_, spno)}, quantity);
    calc_->saveLine();
    // Goods already on the voucher grow their line instead of adding one.
    if (calc_->lines().size() > lineInputs_.size())
        lineInputs_.append(LineInput{});
    showLines();
    showTotals();
}

void Tfrmxf::codeReturn()
{
    if (!mc::settings.usetm) {
        if (popup_->isVisible() && popupList_->rowCount() > 0) {
            popupList_->selectRow(0);
            addFromPopup();
        }
        return;
    }
    addGoods(code_->text().trimmed(), 1);
    code_->clear();
}

void Tfrmxf::codeEdited(const QString& text)
{
    if (mc::settings.usetm || !calc_)
        return;
    QStringList codes;
    for (const GoodsChoice& c : goodsChoices(db_, text.trimmed(), byPinyin_->isChecked(), false))
        codes << c.spno;
    fillPopup(codes);
    const QPoint below = code_->mapTo(this, QPoint(0, code_->height()));
    popup_->move(below);
    popup_->show();
    popup_->raise();
}

void Tfrmxf::popupClassClicked(QTreeWidgetItem* node)
{
    // The same class clicked twice within 300 ms lists its goods.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool again = node == lastPopupNode_ && now - lastPopupClick_ <= 300;
    lastPopupNode_ = node;
    lastPopupClick_ = now;
    if (!again)
        return;
    QStringList codes;
    for (const GoodsChoice& c : goodsOfClass(db_, mc::ui::goodsClassCode(node), false))
        codes << c.spno;
    fillPopup(codes);
}

void Tfrmxf::fillPopup(const QList<QString>& codes)
{
    popupList_->setRowCount(0);
    for (const QString& spno : codes) {
        const std::optional<Goods> g = findGoods(db_, spno);
        if (!g)
            continue;
        const int row = popupList_->rowCount();
        popupList_->insertRow(row);
        const std::optional<GoodsClass> c = findGoodsClass(db_, g->spclass);
        const QStringList texts{c ? c->classname : QString(), byPinyin_->isChecked() ? g->pyzjf : g->spno, g->spname,
                                g->xsjg.text(2)};
        for (int col = 0; col < texts.size(); ++col)
            popupList_->setItem(row, col, new QTableWidgetItem(texts[col]));
        popupList_->item(row, 0)->setData(Qt::UserRole, g->spno);
    }
}

void Tfrmxf::addFromPopup()
{
    const int row = popupList_->currentRow() >= 0 ? popupList_->currentRow() : 0;
    if (row >= popupList_->rowCount())
        return;
    addGoods(popupList_->item(row, 0)->data(Qt::UserRole).toString(), 1);
    code_->clear();
    popup_->hide();
    code_->setFocus();
}

bool Tfrmxf::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == code_ && key == Qt::Key_Down && popup_->isVisible() && popupList_->rowCount() > 0) {
            popupList_->setFocus();
            popupList_->selectRow(0);
            return true;
        }
        if (watched == popupList_) {
            if (key == Qt::Key_Up && popupList_->currentRow() <= 0) {
                code_->setFocus();
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                addFromPopup();
                return true;
            }
        }
    }
    return MdiChild::eventFilter(watched, event);
}

void Tfrmxf::pickGoodsClick()
{
    if (!calc_)
        return;
    for (const GoodsPick& p : Tfrmxfspxz::pick(db_, this))
        addGoods(p.spno, p.quantity);
}

void Tfrmxf::deleteGoodsClick()
{
    const int row = lines_->currentRow();
    if (!calc_ || row < 0 || row >= lineInputs_.size())
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认删除当前商品?")) != QMessageBox::Yes)
        return;
    calc_->deleteLine(row);
    lineInputs_.removeAt(row);
    showLines();
    showTotals();
}

void Tfrmxf::lineCellChanged(int row, int column)
{
    if (!calc_ || row >= lineInputs_.size())
        return;
    LineInput& in = lineInputs_[row];
    const QString text = lines_->item(row, column)->text().trimmed();
    const Money amount = Money::parse(text).value_or(Money());
    if (column == Commission) {
        calc_->setLineCommission(row, amount);
    } else {
        calc_->openLine(row);
        switch (column) {
        case Price:
            in.spdj = amount;
            in.spjsjg.reset();  // the settlement price follows the new price
            calc_->editPrice(amount);
            break;
        case Quantity:
            calc_->editQuantity(text.toInt());
            break;
        case Rate:
            in.spzkl = text.toDouble();
            in.spjsjg.reset();
            calc_->editRate(*in.spzkl);
            break;
        case Settlement:
            in.spjsjg = amount;
            calc_->editSettlementPrice(amount);
            break;
        default:
            break;
        }
        calc_->saveLine();
    }
    showLines();
    showTotals();
}

void Tfrmxf::lineStaffClick(int row)
{
    if (const std::optional<ServingStaff> p = Tfrmygxz::pick(db_, this); p && calc_) {
        calc_->setLineStaff(row, *p);
        showLines();
    }
}

void Tfrmxf::voucherStaffClick()
{
    if (const std::optional<ServingStaff> p = Tfrmygxz::pick(db_, this); p && calc_) {
        voucherStaff_ = p;
        calc_->setStaff(*p);
        staff_->setText(p->ygname);
    }
}

// ---- showing the amounts -----------------------------------------------------------------------

void Tfrmxf::showLines()
{
    const QSignalBlocker quiet(lines_);
    const QList<VoucherLine> lines = calc_ ? calc_->lines() : QList<VoucherLine>{};
    const bool directRate = calc_ && calc_->setup().mode == DiscountMode::Direct && mc::settings.yxxgzk;
    lines_->setRowCount(int(lines.size()));
    Money total;
    int points = 0;
    for (int r = 0; r < lines.size(); ++r) {
        const VoucherLine& l = lines[r];
        const QStringList texts{l.spname, l.spdj.text(2), QString::number(l.spnum), QString::number(l.spzkl),
                                l.spjsjg.text(2), l.spzj.text(2), QString(), QString(),
                                l.ygtc.isZero() ? QString() : l.ygtc.text(2), l.isfwxsp ? QStringLiteral("√") : QString(),
                                QString::number(l.xfjf), l.istjsp ? QStringLiteral("√") : QString()};
        for (int c = 0; c < texts.size(); ++c) {
            auto* cell = new QTableWidgetItem(texts[c]);
            const bool editable = c == Quantity || c == Settlement || c == Commission ||
                                  (c == Price && mc::settings.xxxgspjg) || (c == Rate && directRate);
            if (!editable)
                cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
            lines_->setItem(r, c, cell);
        }
        auto* staff = new QPushButton(l.staff.ygname.isEmpty() ? QStringLiteral("...") : l.staff.ygname, lines_);
        connect(staff, &QPushButton::clicked, this, [this, r] { lineStaffClick(r); });
        lines_->setCellWidget(r, Staff, staff);
        auto* type = new QComboBox(lines_);
        type->addItems(serviceTypes_);
        type->setCurrentText(l.fwclass);
        connect(type, &QComboBox::currentTextChanged, this, [this, r](const QString& t) {
            if (calc_)
                calc_->setLineServiceType(r, t);
        });
        lines_->setCellWidget(r, ServiceType, type);
        total += l.spzj;
        points += l.xfjf;
    }
    linesTotal_->setText(QStringLiteral("合计  商品总价: ") + total.text(2) + QStringLiteral("  积分: ") + QString::number(points));
}

void Tfrmxf::showTotals()
{
    if (!calc_)
        return;
    const VoucherTotals& t = calc_->totals();
    if (!mc::settings.jdms || !sjxfje_->hasFocus())
        sjxfje_->setText(t.sjxfje.text(2));
    sjzkl_->setText(QString::number(t.sjzkl));
    zkhje_->setText(t.zkhje.text(2));
    bcdkje_->setText(t.bcdkje.text(2));
    xfje_->setText(t.xfje.text(2));
    bcxfjf_->setText(QString::number(t.bcxfjf));
    otyh_->setText(t.otyh.text(2));
    otsk_->setText(t.otsk.text(2));
}

// ---- the save ----------------------------------------------------------------------------------

CheckoutInput Tfrmxf::input() const
{
    CheckoutInput in;
    in.memberno = member_->row.value(QStringLiteral("memberno")).toString();
    const QList<VoucherLine> lines = calc_->lines();
    for (int r = 0; r < lines.size(); ++r) {
        const LineInput& typed = lineInputs_[r];
        CheckoutLine l;
        l.spno = lines[r].spno;
        l.spnum = lines[r].spnum;
        l.spdj = typed.spdj;
        l.spzkl = typed.spzkl;
        l.spjsjg = typed.spjsjg;
        l.ygid = lines[r].staff.ygid;
        l.fwclass = lines[r].fwclass;
        if (!lines[r].ygtc.isZero())
            l.yggz = lines[r].ygtc;
        in.lines.append(l);
    }
    if (mc::settings.jdms)
        in.sjxfje = moneyOf(sjxfje_);
    if (mc::settings.yxxgzk && calc_->totals().sjzkl != calc_->totals().mrzkl)
        in.sjzkl = calc_->totals().sjzkl;
    if (member_->classname != storedValueCard)
        in.jkfs = jkfs_->currentText();
    in.otyh = moneyOf(otyh_);
    in.otsk = moneyOf(otsk_);
    in.usecredit = useCredit_->isVisible() && useCredit_->isChecked();
    in.ygid = voucherStaff_ ? voucherStaff_->ygid : QString();
    in.cardMode = mc::cardMode;
    return in;
}

void Tfrmxf::saveClick()
{
    if (!calc_)
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认该消费记录输入正确?")) != QMessageBox::Yes)
        return;
    CheckoutInput in = input();

    // Everything the operator must do happens before the save begins: the card is read again and
    // the password typed here, so the save itself holds the database for milliseconds.
    const bool icCard = mc::cardMode == 2 && member_->classname == storedValueCard;
    std::optional<int> port;
    if (icCard) {
        mc::pickedNumber.clear();
        mc::readCardBalance.clear();
        Tfrmreadcard dialog(reader_, this);
        if (dialog.exec() != QDialog::Accepted || mc::pickedNumber.isEmpty()) {
            QMessageBox::information(this, windowTitle(), QStringLiteral("没有读到会员卡，消费没有保存"));
            return;
        }
        in.icCard = CardRead{mc::pickedNumber, Money::parse(mc::readCardBalance).value_or(Money())};
        port = readerPortOrReport(this);
        if (!port)
            return;
    }
    if (!member_->row.value(QStringLiteral("memberpwd")).toString().isEmpty()) {
        Tfrmpassword prompt(this);
        if (prompt.exec() != QDialog::Accepted)
            return;
        in.password = mc::typedPassword;
    }

    // The card write inside the save never waits for the operator: a card that is gone fails at
    // once, the save rolls back, and the operator saves again.
    const auto machine = mc::devices::loadMachineSettings(db_);
    const CardWriter writeCard = [&](const CardWrite& w) -> mc::Done {
        mc::devices::IcCardData card;
        card.cardNumber = w.cardNumber;
        card.kindText = storedValueCard;
        card.classCode = w.classCode;
        card.value = w.balance.toDouble();
        mc::devices::IcCardWriter writer(reader_, *port, mc::devices::systemPsc(machine.jmmm), card);
        QString problem;
        const bool written = writer.run({[] { return false; }, [&](const QString& m) { problem = m; }, [](const QString&) {}});
        return written ? mc::Done::success() : mc::Done::failure(problem.isEmpty() ? QString() : problem + QStringLiteral("，未完成写卡,无法保存"));
    };

    const mc::Session session = mc::Session::current();
    const mc::Result<CheckoutDone> done = checkout(db_, in, session, icCard ? writeCard : CardWriter{});
    if (!showResult(done))
        return;
    // The saved voucher stays on show until the next consumption starts.
    calc_.reset();
    setEntering(false);
    if (const auto again = findMember(db_, LookupBy::MemberNo, done.value.memberno, QDate::currentDate()))
        showMember(again.value, again.message);
    sjxfje_->setText(done.value.sjxfje.text(2));
    zkhje_->setText(done.value.zkhje.text(2));
    bcdkje_->setText(done.value.bcdkje.text(2));
    xfje_->setText(done.value.xfje.text(2));
    bcxfjf_->setText(QString::number(done.value.bcxfjf));
    if (mc::settings.xfdyxp)
        printReceipt(done.value, session);
}

void Tfrmxf::printReceipt(const CheckoutDone& done, const mc::Session& session)
{
    const mc::receipts::ReceiptSettings settings = mc::receipts::receiptSettings(mc::settings);
    QString error;
    if (settings.printerKind == 1) {
        error = mc::receipts::printPosReceipt(settings, checkoutReceiptBody(done, session));
    } else {
        const auto* entry = mc::reports::templateEntry(done.simpleMode ? QStringLiteral("hyjdxf") : QStringLiteral("hyxf"));
        try {
            error = mc::reports::printReceiptReport(mc::reports::reportFor(*entry, db_, mc::appPath), settings, this);
        } catch (const mc::db::DbError& e) {
            error = e.message();
        }
    }
    if (!error.isEmpty())
        QMessageBox::information(this, windowTitle(), error);
}

void Tfrmxf::cancelClick()
{
    if (!calc_)
        return;
    if (QMessageBox::question(this, windowTitle(), QStringLiteral("确认不保存当前消费记录?")) != QMessageBox::Yes)
        return;
    // Nothing was written for the voucher: it only ever reaches the database at the save.
    clearVoucher();
    setEntering(false);
    showLines();
}

namespace mc::sales {

void registerCheckoutWindow()
{
    registerWindow(QStringLiteral("M1"), WindowEntry::Kind::Child, [](QWidget* parent) -> QWidget* {
        return new Tfrmxf(QSqlDatabase::database(db::accountConnection), devices::libraryReader(), parent);
    });
}

}  // namespace mc::sales
