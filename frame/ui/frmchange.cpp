#include "frmchange.h"

#include "database.h"
#include "dialog_layout.h"
#include "globals.h"
#include "key_filters.h"
#include "password_change.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

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
    ok_ = mc::namedButton(this, QStringLiteral("确定(&O)"), "BitBtn1");
    ok_->setEnabled(false);  // until one of the edits changes
    auto* close = mc::namedButton(this, QStringLiteral("关闭(&C)"), "BitBtn2");
    oldEdit_ = edit("Edit1");
    newEdit_ = edit("Edit2");
    confirmEdit_ = edit("Edit3");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("原口令"), oldEdit_);
    form->addRow(QStringLiteral("新口令"), newEdit_);
    form->addRow(QStringLiteral("验证口令"), confirmEdit_);
    mc::layoutWithButtons(this, form, {ok_, close})->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, &Tfrmchange::okClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void Tfrmchange::okClick()
{
    const mc::Done r =
        mc::changePassword(QSqlDatabase::database(mc::db::accountConnection, false), mc::operatorCode,
                           oldEdit_->text(), newEdit_->text(), confirmEdit_->text());
    if (r.ok) {
        QMessageBox::information(this, windowTitle(), r.message);
    } else if (!r.message.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), r.message);
        if (r.field == mc::oldPasswordField)
            oldEdit_->setFocus();
        else if (r.field == mc::newPasswordField)
            newEdit_->setFocus();
    }
    ok_->setEnabled(false);
}
