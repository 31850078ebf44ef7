#include "frmicmm.h"

#include "database.h"
#include "db_error.h"
#include "dialog_layout.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

Tfrmicmm::Tfrmicmm(mc::devices::MachineSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("frmicmm"));
    setWindowTitle(QStringLiteral("设置IC卡加密密码"));
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setEchoMode(QLineEdit::Password);
        e->setMaxLength(6);
        return e;
    };
    first_ = edit("Edit1");
    second_ = edit("Edit2");
    auto* save = mc::namedButton(this, QStringLiteral("保存(&S)"), "BitBtn1");
    auto* close = mc::namedButton(this, QStringLiteral("退出(&E)"), "BitBtn2");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("输入6位以内密码"), first_);
    form->addRow(QStringLiteral("请再输入一遍"), second_);
    mc::layoutWithButtons(this, form, {save, close})->setSizeConstraint(QLayout::SetFixedSize);
    connect(save, &QPushButton::clicked, this, &Tfrmicmm::saveClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmicmm::saveClick()
{
    const mc::Done saved = mc::devices::setCardPassword(QSqlDatabase::database(mc::db::accountConnection, false),
                                                        settings_, first_->text(), second_->text());
    if (!saved) {
        QMessageBox::information(this, windowTitle(), saved.message);
        return;
    }
    accept();
}
