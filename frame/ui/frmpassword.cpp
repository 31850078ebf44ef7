#include "frmpassword.h"

#include "dialog_layout.h"
#include "globals.h"
#include "key_filters.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

Tfrmpassword::Tfrmpassword(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmpassword"));
    setWindowTitle(QStringLiteral("请输入密码"));
    // A title bar without buttons: the dialog ends through its own two buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    mc::acceptOnly(Edit1, mc::digitKeys);
    auto* ok = mc::namedButton(this, QStringLiteral("确定(E)"), "BitBtn1");
    ok->setDefault(true);  // Enter in the edit
    auto* close = mc::namedButton(this, QStringLiteral("关闭(&C)"), "BitBtn2");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("密码"), Edit1);
    mc::layoutWithButtons(this, form, {ok, close})->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &Tfrmpassword::okClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmpassword::showEvent(QShowEvent* event)
{
    Edit1->clear();
    Edit1->setFocus();
    QDialog::showEvent(event);
}

void Tfrmpassword::okClick()
{
    mc::typedPassword = Edit1->text();
    accept();
}
