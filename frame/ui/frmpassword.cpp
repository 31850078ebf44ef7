#include "frmpassword.h"

#include "globals.h"
#include "key_filters.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto* ok = new QPushButton(QStringLiteral("确定(E)"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);  // Enter in the edit
    auto* close = new QPushButton(QStringLiteral("关闭(&C)"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));
    close->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("密码"), Edit1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
