#include "frmchange.h"

#include "database.h"
#include "globals.h"
#include "key_filters.h"
#include "password_change.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

Tfrmchange::Tfrmchange(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmchange"));
    setWindowTitle(QStringLiteral("用户口令更改"));
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setEchoMode(QLineEdit::Password);
        connect(e, &QLineEdit::textEdited, this, [this] { ok_->setEnabled(true); });
        mc::enterMovesFocus(e);
        return e;
    };
    ok_ = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setEnabled(false);  // until one of the edits changes
    auto* close = new QPushButton(QStringLiteral("关闭(&C)"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));
    oldEdit_ = edit("Edit1");
    newEdit_ = edit("Edit2");
    confirmEdit_ = edit("Edit3");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("原口令"), oldEdit_);
    form->addRow(QStringLiteral("新口令"), newEdit_);
    form->addRow(QStringLiteral("验证口令"), confirmEdit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, &Tfrmchange::okClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void Tfrmchange::okClick()
{
    const mc::PasswordChange r =
        mc::changePassword(QSqlDatabase::database(mc::db::accountConnection, false), mc::operatorCode,
                           oldEdit_->text(), newEdit_->text(), confirmEdit_->text());
    if (r.ok) {
        QMessageBox::information(this, windowTitle(), r.message);
    } else {
        QMessageBox::warning(this, windowTitle(), r.message);
        if (r.focus == mc::PasswordChange::Focus::Old)
            oldEdit_->setFocus();
        else if (r.focus == mc::PasswordChange::Focus::New)
            newEdit_->setFocus();
    }
    ok_->setEnabled(false);
}
