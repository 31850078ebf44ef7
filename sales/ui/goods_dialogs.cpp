#include "goods_dialogs.h"

#include "dialog_layout.h"
#include "editcheck_ui.h"
#include "form_parts.h"
#include "utils/decimaltext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace mc::sales;

namespace {

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QString amount(double v)
{
    return mc::fixedText(v, 2);
}

QString amount(mc::Money v)
{
    return v.text(2);
}

double number(const QLineEdit* e)
{
    return e->text().trimmed().toDouble();
}

mc::Money money(const QLineEdit* e)
{
    return mc::Money::fromDouble(number(e));
}

}  // namespace

// ---- goods class -------------------------------------------------------------------------

Tfrmspfllr::Tfrmspfllr(QSqlDatabase db, const GoodsClass& c, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), class_(c), code_(edit("classno", this)), name_(edit("classname", this)),
      service_(new QCheckBox(QStringLiteral("该分类是服务性商品"), this))
{
    setObjectName(QStringLiteral("frmspfllr"));
    setWindowTitle(QStringLiteral("商品分类录入"));
    service_->setObjectName(QStringLiteral("isfwxsp"));
    code_->setMaxLength(3);
    code_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), code_));
    auto* note = new QLabel(QStringLiteral("注:服务性商品不扣除库存,不能进退货"), this);
    note->setStyleSheet(QStringLiteral("color: red"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("分类代码"), code_);
    form->addRow(QStringLiteral("分类名称"), name_);
    form->addRow(service_);
    form->addRow(note);
    auto* saveClose = mc::namedButton(this, QStringLiteral("保存退出"), "btnSaveClose");
    auto* saveNext = mc::namedButton(this, QStringLiteral("保存增加"), "btnSaveNext");
    auto* cancel = mc::namedButton(this, QStringLiteral("不保存退出"), "btnCancel");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(mc::buttonRow({saveClose, saveNext, cancel}));

    code_->setText(class_.classno);
    name_->setText(class_.classname);
    service_->setChecked(class_.isfwxsp);
    code_->setEnabled(class_.pid == 0);
    mc::ui::enterMovesFocus(this);

    connect(saveClose, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(saveNext, &QPushButton::clicked, this, &Tfrmspfllr::saveNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool Tfrmspfllr::save()
{
    class_.classno = code_->text().trimmed();
    class_.classname = name_->text().trimmed();
    class_.isfwxsp = service_->isChecked();
    const mc::Done o = saveGoodsClass(db_, class_);
    code_->setText(class_.classno);
    if (!o.ok) {
        QMessageBox::warning(this, windowTitle(), o.message);
        return false;
    }
    saved_ = true;
    return true;
}

void Tfrmspfllr::saveNext()
{
    if (!save())
        return;
    startNew();
}

void Tfrmspfllr::startNew()
{
    class_ = GoodsClass{};
    code_->clear();
    name_->clear();
    service_->setChecked(false);
    code_->setEnabled(true);
    code_->setFocus();
}

// ---- goods item --------------------------------------------------------------------------

Tfrmsplr::Tfrmsplr(QSqlDatabase db, const Goods& g, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), goods_(g), spno_(edit("spno", this)), spname_(edit("spname", this)),
      spclass_(new QComboBox(this)), xsjg_(edit("xsjg", this)), jhdj_(edit("jhdj", this)), kcsl_(edit("kcsl", this)),
      zdzk_(edit("zdzk", this)), fwbz_(edit("fwbz", this)), pyzjf_(edit("pyzjf", this)),
      ygtc_{edit("ygtc", this), edit("ygtc2", this), edit("ygtc3", this), edit("ygtc4", this)},
      autoCode_(new QCheckBox(QStringLiteral("自动生成商品编号"), this)),
      istj_(new QCheckBox(QStringLiteral("该商品不参与积分"), this))
{
    setObjectName(QStringLiteral("frmsplr"));
    setWindowTitle(QStringLiteral("商品资料录入"));
    spclass_->setObjectName(QStringLiteral("spclass"));
    autoCode_->setObjectName(QStringLiteral("autoCode"));
    istj_->setObjectName(QStringLiteral("istj"));
    istj_->hide();
    for (const GoodsClass& c : listGoodsClasses(db_))
        spclass_->addItem(c.classname, c.classno);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("商品代码"), spno_);
    form->addRow(QStringLiteral("商品名称"), spname_);
    form->addRow(QStringLiteral("商品分类"), spclass_);
    form->addRow(QStringLiteral("销售单价(元)"), xsjg_);
    form->addRow(QStringLiteral("进货单价(元)"), jhdj_);
    form->addRow(QStringLiteral("库存数量"), kcsl_);
    form->addRow(QStringLiteral("最低折扣(折)"), zdzk_);
    form->addRow(QStringLiteral("备注"), fwbz_);
    form->addRow(QStringLiteral("拼音码"), pyzjf_);
    for (int i = 0; i < 4; ++i)
        form->addRow(QStringLiteral("员工提成%1(元)").arg(i + 1), ygtc_[i]);
    form->addRow(autoCode_);
    form->addRow(istj_);
    auto* saveClose = mc::namedButton(this, QStringLiteral("保存退出"), "btnSaveClose");
    auto* saveNext = mc::namedButton(this, QStringLiteral("保存增加"), "btnSaveNext");
    auto* close = mc::namedButton(this, QStringLiteral("退出"), "btnClose");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(mc::buttonRow({saveClose, saveNext, close}));

    fill();
    setNewItemControls(goods_.pid == 0);
    mc::ui::enterMovesFocus(this);

    // The pinyin code follows every change of the name.
    connect(spname_, &QLineEdit::textChanged, this, [this](const QString& name) { pyzjf_->setText(goodsPinyin(name)); });
    connect(autoCode_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            autoCode();
    });
    connect(saveClose, &QPushButton::clicked, this, [this] {
        if (save(GoodsSave::Close))
            accept();
    });
    connect(saveNext, &QPushButton::clicked, this, &Tfrmsplr::saveNext);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmsplr::fill()
{
    spno_->setText(goods_.spno);
    spname_->setText(goods_.spname);
    spclass_->setCurrentIndex(spclass_->findData(goods_.spclass));
    xsjg_->setText(amount(goods_.xsjg));
    jhdj_->setText(amount(goods_.jhdj));
    kcsl_->setText(QString::number(goods_.kcsl));
    zdzk_->setText(amount(goods_.zdzk));
    fwbz_->setText(goods_.fwbz);
    pyzjf_->setText(goods_.pyzjf);
    const mc::Money commissions[] = {goods_.ygtc, goods_.ygtc2, goods_.ygtc3, goods_.ygtc4};
    for (int i = 0; i < 4; ++i)
        ygtc_[i]->setText(amount(commissions[i]));
    istj_->setChecked(goods_.istj);
}

void Tfrmsplr::read()
{
    goods_.spno = spno_->text().trimmed();
    goods_.spname = spname_->text().trimmed();
    goods_.spclass = spclass_->currentData().toString();
    goods_.xsjg = money(xsjg_);
    goods_.jhdj = money(jhdj_);
    if (goods_.pid == 0)
        goods_.kcsl = number(kcsl_);
    goods_.zdzk = number(zdzk_);
    goods_.fwbz = fwbz_->text();
    goods_.pyzjf = pyzjf_->text();
    goods_.ygtc = money(ygtc_[0]);
    goods_.ygtc2 = money(ygtc_[1]);
    goods_.ygtc3 = money(ygtc_[2]);
    goods_.ygtc4 = money(ygtc_[3]);
    goods_.istj = istj_->isChecked();
}

void Tfrmsplr::setNewItemControls(bool isNew)
{
    spclass_->setEnabled(isNew);
    kcsl_->setEnabled(isNew);
    autoCode_->setEnabled(isNew);
}

void Tfrmsplr::autoCode()
{
    if (goods_.pid == 0)
        spno_->setText(nextGoodsCode(db_));
}

// Every number box holds a number or nothing (0); a text that is not a number would otherwise
// be stored as 0 without a word.
bool Tfrmsplr::numbersTyped()
{
    const std::pair<QLineEdit*, QString> boxes[] = {
        {xsjg_, QStringLiteral("销售单价")},    {jhdj_, QStringLiteral("进货单价")},
        {kcsl_, QStringLiteral("库存数量")},    {zdzk_, QStringLiteral("最低折扣")},
        {ygtc_[0], QStringLiteral("员工提成1")}, {ygtc_[1], QStringLiteral("员工提成2")},
        {ygtc_[2], QStringLiteral("员工提成3")}, {ygtc_[3], QStringLiteral("员工提成4")},
    };
    for (const auto& [box, caption] : boxes)
        if (!mc::checkfloat(box, QStringLiteral("0"), caption, 0, 0))
            return false;
    return true;
}

bool Tfrmsplr::save(GoodsSave how)
{
    if (!numbersTyped())
        return false;
    read();
    const mc::Done o = saveGoods(db_, mc::Session::current(), goods_, how);
    if (!o.ok) {
        QMessageBox::warning(this, windowTitle(), o.message);
        return false;
    }
    saved_ = true;
    return true;
}

void Tfrmsplr::saveNext()
{
    if (!save(GoodsSave::AddNext))
        return;
    goods_ = Goods{};
    fill();
    setNewItemControls(true);
    spclass_->setFocus();
    if (autoCode_->isChecked())
        autoCode();
}
