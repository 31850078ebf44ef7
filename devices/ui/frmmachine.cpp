#include "frmmachine.h"

#include "database.h"
#include "db_error.h"
#include "dialog_layout.h"
#include "frmicmm.h"
#include "help_ui.h"
#include "utils/password.h"
#include "utils/serialports.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSqlDatabase accountDb()
{
    return QSqlDatabase::database(mc::db::accountConnection, false);
}

}  // namespace

Tfrmmachine::Tfrmmachine(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmmachine"));
    setWindowTitle(QStringLiteral("读卡设备设置"));
    mc::setHelpContext(this, 1);

    symc_ = new QComboBox(this);
    symc_->setObjectName(QStringLiteral("symc"));
    symc_->addItems({QStringLiteral("磁卡"), QStringLiteral("条码卡"), QStringLiteral("id卡"), QStringLiteral("ic卡"),
                     mc::devices::noCardDevice});

    auto* devices = new QGroupBox(QStringLiteral("读卡器设置"), this);
    auto* devicesLayout = new QVBoxLayout(devices);
    jplr_ = new QButtonGroup(this);
    const QString captions[] = {QStringLiteral("使用键盘录入(适用于磁卡、条码、部分ID卡读卡器)"),
                                QStringLiteral("串口读卡器"), QStringLiteral("串口读写器")};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(captions[i], devices);
        r->setObjectName(QStringLiteral("jplr%1").arg(i));
        jplr_->addButton(r, i);
        devicesLayout->addWidget(r);
    }

    port_ = new QComboBox(this);
    port_->setObjectName(QStringLiteral("ckh"));
    QStringList ports;
    mc::getcomlist(ports);
    port_->addItems(ports);
    txset_ = new QLineEdit(this);
    txset_->setObjectName(QStringLiteral("txset"));
    isusejp_ = new QCheckBox(QStringLiteral("使用串口录入设备时允许手工录入卡号"), this);
    isusejp_->setObjectName(QStringLiteral("isusejp"));

    auto* ic = new QGroupBox(QStringLiteral("IC卡设置（只适用于本公司推荐的IC卡读卡器)"), this);
    icqh_ = new QSpinBox(ic);
    icqh_->setObjectName(QStringLiteral("icqh"));
    icqh_->setRange(1, 9);
    password_ = new QLineEdit(ic);
    password_->setObjectName(QStringLiteral("jmmm"));
    password_->setReadOnly(true);
    password_->setEchoMode(QLineEdit::Password);
    auto* setPassword = mc::namedButton(ic, QStringLiteral("设置IC卡密码(&S)"), "BitBtn3");
    auto* area = new QHBoxLayout;
    area->addWidget(icqh_);
    area->addWidget(new QLabel(QStringLiteral("区"), ic));
    area->addStretch();
    auto* icForm = new QFormLayout(ic);
    icForm->addRow(QStringLiteral("会员信息写入"), area);
    icForm->addRow(QStringLiteral("加密密码"), password_);
    icForm->addRow(QString(), setPassword);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("本系统使用会员卡类型"), symc_);
    form->addRow(devices);
    form->addRow(QStringLiteral("请选择本机连接串口号"), port_);
    auto* line = new QHBoxLayout;
    line->addWidget(txset_);
    line->addWidget(new QLabel(QStringLiteral("格式如9600,n,8,1"), this));
    form->addRow(QStringLiteral("串口通信设置"), line);
    form->addRow(new QLabel(QStringLiteral("本处设置后请勿随意更改"), this));
    form->addRow(isusejp_);
    form->addRow(ic);
    form->addRow(new QLabel(QStringLiteral("注:IC卡设置仅适用于本公司推荐的产品"), this));

    auto* save = mc::namedButton(this, QStringLiteral("保存设置(&S)"), "BitBtn1");
    auto* close = mc::namedButton(this, QStringLiteral("退出(&E)"), "BitBtn2");
    mc::layoutWithButtons(this, form, {save, close});

    connect(jplr_, &QButtonGroup::idClicked, this, &Tfrmmachine::deviceChanged);
    connect(save, &QPushButton::clicked, this, &Tfrmmachine::saveClick);
    connect(setPassword, &QPushButton::clicked, this, &Tfrmmachine::passwordClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    showSettings();
}

void Tfrmmachine::showSettings()
{
    settings_ = mc::devices::loadMachineSettings(accountDb());
    const int kind = symc_->findText(settings_.symc);
    symc_->setCurrentIndex(kind < 0 ? 0 : kind);
    if (QAbstractButton* b = jplr_->button(settings_.jplr))
        b->setChecked(true);
    const QString port = mc::devices::readerPortText();
    if (!port.isEmpty() && port_->findText(port, Qt::MatchFixedString) < 0)
        port_->addItem(port);  // a port that is not there now stays visible
    port_->setCurrentIndex(port.isEmpty() ? -1 : port_->findText(port, Qt::MatchFixedString));
    txset_->setText(settings_.txset);
    isusejp_->setChecked(settings_.isusejp);
    icqh_->setValue(settings_.icqh);
    password_->setText(mc::decodepwd(settings_.jmmm));
    deviceChanged();
}

void Tfrmmachine::deviceChanged()
{
    isusejp_->setEnabled(jplr_->checkedId() > 0);
}

void Tfrmmachine::readControls()
{
    settings_.symc = symc_->currentText();
    settings_.jplr = qMax(jplr_->checkedId(), 0);
    settings_.txset = txset_->text();
    settings_.isusejp = isusejp_->isChecked();
    settings_.icqh = icqh_->value();
}

void Tfrmmachine::saveClick()
{
    readControls();
    try {
        const QString refusal = mc::devices::saveMachineSettings(accountDb(), settings_, port_->currentText());
        QMessageBox::information(this, windowTitle(), refusal.isEmpty() ? QStringLiteral("保存成功") : refusal);
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.saveMessage());
    }
}

void Tfrmmachine::passwordClick()
{
    // The password goes into the row as last saved: unsaved changes of the other controls wait
    // for 保存设置 and its checks (a reader/writer on a port the library cannot open, say).
    Tfrmicmm dialog(settings_, this);
    if (dialog.exec() == QDialog::Accepted)
        password_->setText(mc::decodepwd(settings_.jmmm));
}
