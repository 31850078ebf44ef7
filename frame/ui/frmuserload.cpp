#include "frmuserload.h"

#include "database.h"
#include "frmztgl.h"
#include "globals.h"
#include "password_hash.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QSqlDatabase catalogue()
{
    return QSqlDatabase::database(mc::db::catalogueConnection, false);
}

QSqlDatabase accountDb()
{
    return QSqlDatabase::database(mc::db::accountConnection, false);
}

}  // namespace

Tfrmuserload::Tfrmuserload(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmuserload"));
    setWindowTitle(QStringLiteral("用户登录"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    auto named = [this](auto* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        w->setParent(this);
        return w;
    };
    sEdit2 = named(new QLineEdit, "sEdit2");
    sEdit3 = named(new QLineEdit, "sEdit3");
    sEdit3->setEnabled(false);
    sEdit1 = named(new QLineEdit, "sEdit1");
    sEdit1->setEchoMode(QLineEdit::Password);
    scbzt = named(new QComboBox, "scbzt");
    scbzt->setEditable(false);  // only picking changes it
    auto* Label1 = named(new QLabel(QStringLiteral("初始员工编码为735146，初始口令为%1").arg(mc::initialAdminPassword)),
                         "Label1");
    Label2 = named(new QLabel, "Label2");
    Label3 = named(new QLabel, "Label3");
    Label2->hide();
    Label3->hide();
    sBitBtn1 = named(new QPushButton(QStringLiteral("确定(&O)")), "sBitBtn1");
    auto* sBitBtn3 = named(new QPushButton(QStringLiteral("帐套管理(&C)")), "sBitBtn3");
    auto* sBitBtn2 = named(new QPushButton(QStringLiteral("退出(&C)")), "sBitBtn2");
    // Enter on 确定 logs in; the other buttons never take Enter from the edits.
    sBitBtn1->setDefault(true);
    sBitBtn3->setAutoDefault(false);
    sBitBtn2->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("员工编码"), sEdit2);
    form->addRow(QStringLiteral("姓    名"), sEdit3);
    form->addRow(QStringLiteral("口    令"), sEdit1);
    form->addRow(QStringLiteral("帐    套"), scbzt);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sBitBtn1);
    buttons->addWidget(sBitBtn3);
    buttons->addWidget(sBitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    sEdit2->installEventFilter(this);
    sEdit1->installEventFilter(this);
    connect(sEdit2, &QLineEdit::editingFinished, this, &Tfrmuserload::listuser);
    connect(scbzt, &QComboBox::activated, this, &Tfrmuserload::pickSet);
    connect(sBitBtn1, &QPushButton::clicked, this, &Tfrmuserload::sBitBtn1Click);
    connect(sBitBtn3, &QPushButton::clicked, this, &Tfrmuserload::sBitBtn3Click);
    connect(sBitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void Tfrmuserload::FormShow()
{
    scbzt->clear();
    const auto sets = mc::login::readAccountSets(catalogue());
    if (!sets)
        QMessageBox::warning(this, windowTitle(), sets.message);
    sets_ = sets.value;
    for (const auto& set : sets_)
        scbzt->addItem(set.memo);
    if (!sets_.isEmpty()) {
        const int index = mc::login::preselectedIndex(sets_);
        scbzt->setCurrentIndex(index);
        pickSet(index);
    }
}

void Tfrmuserload::pickSet(int index)
{
    if (index < 0 || index >= sets_.size())
        return;
    const auto& set = sets_[index];
    sEdit2->setText(set.lastyg);
    showDemoNotes(mc::login::isDemoSet(set));
    const mc::Done o = mc::login::connectdb(set);
    if (!o.ok) {
        QMessageBox::warning(this, windowTitle(), o.message);
        return;
    }
    listuser();
}

void Tfrmuserload::showDemoNotes(bool demo)
{
    Label2->setText(QStringLiteral("测试帐套仅为试用软件而提供的测试数据，"));
    Label3->setText(QStringLiteral("正式使用本软件时请在帐套管理中创建新的帐套"));
    Label2->setVisible(demo);
    Label3->setVisible(demo);
}

void Tfrmuserload::listuser()
{
    if (sEdit2->text().isEmpty())
        return;
    try {
        const QString code = mc::login::normaliseStaffCode(sEdit2->text(), mc::login::staffCodeWidth(accountDb()));
        sEdit2->setText(code);
        if (const auto name = mc::login::staffName(accountDb(), code))
            sEdit3->setText(*name);
    } catch (const mc::db::DbError&) {
        // No usable account set: the login checks report it.
    }
    sEdit1->setFocus();
}

void Tfrmuserload::sBitBtn1Click()
{
    const int index = scbzt->currentIndex();
    const QString setName = index >= 0 && index < sets_.size() ? sets_[index].ztmc : QString();
    if (!sEdit2->text().isEmpty())
        listuser();
    const auto r = mc::login::login(catalogue(), accountDb(), setName, sEdit2->text(), sEdit1->text(),
                                    QDateTime::currentDateTime());
    if (!r.ok) {
        QMessageBox::warning(this, windowTitle(), r.message);
        (r.field == mc::login::passwordField ? sEdit1 : sEdit2)->setFocus();
        return;
    }
    accept();
}

void Tfrmuserload::sBitBtn3Click()
{
    Tfrmztgl window(this);
    window.exec();
}

bool Tfrmuserload::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == sEdit2) {
                listuser();
                return true;
            }
            if (watched == sEdit1) {
                // Enter in the password moves to 确定 but does not log in by itself.
                sBitBtn1->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
