#include "frmicmm.h"

#include "database.h"
#include "db_error.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

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
    auto* save = new QPushButton(QStringLiteral("保存(&S)"), this);
    save->setObjectName(QStringLiteral("BitBtn1"));
    auto* close = new QPushButton(QStringLiteral("退出(&E)"), this);
    close->setObjectName(QStringLiteral("BitBtn2"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("输入6位以内密码"), first_);
    form->addRow(QStringLiteral("请再输入一遍"), second_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(save, &QPushButton::clicked, this, &Tfrmicmm::saveClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmicmm::saveClick()
{
    try {
        const QString refusal = mc::devices::setCardPassword(QSqlDatabase::database(mc::db::accountConnection, false),
                                                             settings_, first_->text(), second_->text());
        if (!refusal.isEmpty()) {
            QMessageBox::information(this, windowTitle(), refusal);
            return;
        }
        accept();
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
    }
}
