#include "stock_dialog.h"

#include "dialog_layout.h"
#include "form_parts.h"
#include "key_filters.h"
#include "stock.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

using namespace mc::sales;

namespace {

QLineEdit* shown(const QString& text, QWidget* parent)
{
    auto* e = new QLineEdit(text, parent);
    e->setReadOnly(true);
    return e;
}

}  // namespace

Tfrmspjh::Tfrmspjh(QSqlDatabase db, const Goods& goods, Kind kind, QWidget* parent)
    : QDialog(parent), db_(std::move(db)), goods_(goods), kind_(kind), quantity_(new QLineEdit(this)),
      price_(new QLineEdit(goods.jhdj.text(2), this))
{
    const bool in = kind_ == Kind::In;
    setObjectName(in ? QStringLiteral("frmspjh") : QStringLiteral("frmspth"));
    setWindowTitle(in ? QStringLiteral("商品进货") : QStringLiteral("商品退货"));
    quantity_->setObjectName(QStringLiteral("quantity"));
    price_->setObjectName(QStringLiteral("price"));
    for (QLineEdit* e : {quantity_, price_})
        mc::acceptOnly(e, mc::digitKeys + u'.');

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("商品编号"), shown(goods_.spno, this));
    form->addRow(QStringLiteral("商品名称"), shown(goods_.spname, this));
    form->addRow(QStringLiteral("商品零售价"), shown(goods_.xsjg.text(2), this));
    form->addRow(QStringLiteral("商品进货价"), shown(goods_.jhdj.text(2), this));
    if (!in)
        form->addRow(QStringLiteral("当前库存"), shown(QString::number(goods_.kcsl), this));
    form->addRow(in ? QStringLiteral("进货数量") : QStringLiteral("退货数量"), quantity_);
    form->addRow(in ? QStringLiteral("进货单价") : QStringLiteral("退货单价"), price_);
    form->addRow(QStringLiteral("备注"), new QLineEdit(this));  // not stored

    auto* ok = mc::namedButton(this, QStringLiteral("确定"), "btnOk");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "btnClose");
    mc::layoutWithButtons(this, form, {ok, close});
    mc::ui::enterMovesFocus(this);

    connect(ok, &QPushButton::clicked, this, &Tfrmspjh::okClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmspjh::okClick()
{
    const mc::Session session = mc::Session::current();
    const mc::Done o = kind_ == Kind::In ? receiveStock(db_, session, goods_.spno, quantity_->text(), price_->text())
                                         : returnStock(db_, session, goods_.spno, quantity_->text(), price_->text());
    if (!o.ok) {
        QMessageBox::warning(this, windowTitle(), o.message);
        return;
    }
    QMessageBox::information(this, windowTitle(), o.message);
    accept();
}
