#include "frmsysset.h"

#include "database.h"
#include "dialog_layout.h"
#include "help_ui.h"
#include "key_filters.h"
#include "settings_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using mc::SettingsForm;

constexpr int kHelpContext = 23;
const QString digitsAndPoint = mc::digitKeys + u'.';

QSqlDatabase accountDb()
{
    return QSqlDatabase::database(mc::db::accountConnection, false);
}

QString controlText(const QWidget* w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (const auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    if (const auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return t->toPlainText();
    return {};
}

void setControlText(QWidget* w, const QString& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        // A stored value the list no longer offers is kept, not dropped.
        if (!text.isEmpty() && c->findText(text) < 0)
            c->addItem(text);
        c->setCurrentIndex(c->findText(text));
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        t->setPlainText(text);
    }
}

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

}  // namespace

Tfrmsysset::Tfrmsysset(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmsysset"));
    setWindowTitle(QStringLiteral("系统设置"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    mc::setHelpContext(this, kHelpContext);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(basicPage(), QStringLiteral("基本设置"));
    PageControl1->addTab(salesPage(), QStringLiteral("消费设置"));
    PageControl1->addTab(messagePage(), QStringLiteral("短信设置"));

    auto* save = mc::namedButton(this, QStringLiteral("保存设置(&S)"), "BitBtn1");
    auto* back = mc::namedButton(this, QStringLiteral("返回(&F)"), "BitBtn2");
    mc::layoutWithButtons(this, PageControl1, {save, back});

    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)
            || qobject_cast<QRadioButton*>(w))
            mc::enterMovesFocus(w);
    connect(save, &QPushButton::clicked, this, &Tfrmsysset::saveClick);
    connect(back, &QPushButton::clicked, this, &QDialog::close);
    FormShow();
}

QLineEdit* Tfrmsysset::edit(const char* name, const QString& accepted)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    if (!accepted.isEmpty()) {
        mc::acceptOnly(e, accepted);
        e->setFixedWidth(64);
    }
    return e;
}

QCheckBox* Tfrmsysset::check(const char* name, const QString& caption)
{
    auto* c = new QCheckBox(caption, this);
    c->setObjectName(QLatin1String(name));
    return c;
}

QComboBox* Tfrmsysset::list(const char* name, const QStringList& items)
{
    auto* c = new QComboBox(this);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);  // typing does not change the choice
    c->addItems(items);
    c->setMinimumContentsLength(14);
    return c;
}

QWidget* Tfrmsysset::basicPage()
{
    auto* page = new QWidget(this);

    auto* reminders = new QGroupBox(QStringLiteral("提醒设置"), page);
    auto* r = new QVBoxLayout(reminders);
    r->addLayout(mc::leftRow({check("srtx", QStringLiteral("启用生日提醒")), label(QStringLiteral("提前"), page),
                       edit("txdays", mc::digitKeys), label(QStringLiteral("天提醒"), page)}));
    r->addLayout(mc::leftRow({check("dqtx", QStringLiteral("会员到期提醒")), label(QStringLiteral("提前"), page),
                       edit("dqtxday", mc::digitKeys), label(QStringLiteral("天提醒"), page)}));
    r->addLayout(mc::leftRow({check("yetx", QStringLiteral("会员卡余额不足提醒")), label(QStringLiteral("余额小于"), page),
                       edit("yetxje", digitsAndPoint), label(QStringLiteral("元提醒"), page),
                       label(QStringLiteral("(仅适用于储值卡)"), page)}));
    QCheckBox* sjtx = check("sjtx", QStringLiteral("每日事情提醒"));
    sjtx->hide();
    r->addLayout(mc::leftRow({check("usejftx", QStringLiteral("会员积分在")), edit("jftx", mc::digitKeys),
                       label(QStringLiteral("分之上进行提醒"), page)}));

    auto* general = new QFormLayout;
    general->addRow(QStringLiteral("中文输入法采用"), list("useime", mc::inputMethods()));
    general->addRow(QStringLiteral("会员编号位数"), edit("memberws", mc::digitKeys));
    general->addRow(QStringLiteral("员工编号位数"), edit("ygws", mc::digitKeys));
    general->addRow(QStringLiteral("公司名称"), edit("dwname"));
    QLineEdit* folder = edit("autobppath");
    folder->setReadOnly(true);
    auto* choose = new QPushButton(QStringLiteral("..."), page);
    choose->setObjectName(QStringLiteral("autobpbutton"));
    choose->setAutoDefault(false);
    choose->setFixedWidth(32);
    connect(choose, &QPushButton::clicked, this, &Tfrmsysset::chooseBackupFolder);
    auto* folderLine = new QHBoxLayout;
    folderLine->addWidget(folder, 1);
    folderLine->addWidget(choose);
    general->addRow(QStringLiteral("软件关闭时自动备份到"), folderLine);

    auto* left = new QVBoxLayout;
    left->addWidget(reminders);
    left->addLayout(general);
    left->addStretch();

    auto* receipt = new QGroupBox(QStringLiteral("小票打印设置"), page);
    auto* p = new QFormLayout(receipt);
    p->addRow(QStringLiteral("打印方式"), list("xpprintmode", mc::printModes()));
    p->addRow(QStringLiteral("选择小票打印机"), list("xpprint", QPrinterInfo::availablePrinterNames()));
    p->addRow(QStringLiteral("小票标题1"), edit("receiptTitle1"));
    p->addRow(QStringLiteral("小票标题2"), edit("receiptTitle2"));
    p->addRow(QStringLiteral("小票脚注1"), edit("receiptFooter1"));
    p->addRow(QStringLiteral("小票脚注2"), edit("receiptFooter2"));
    p->addRow(mc::leftRow({label(QStringLiteral("小票同时打印"), page), edit("dyys", digitsAndPoint),
                    label(QStringLiteral("份"), page), label(QStringLiteral("(仅适用于普通打印机)"), page)}));
    p->addRow(mc::leftRow({label(QStringLiteral("小票前空"), page), edit("xfqkh", mc::digitKeys), label(QStringLiteral("行"), page),
                    label(QStringLiteral("小票后空"), page), edit("xfhkh", mc::digitKeys), label(QStringLiteral("行"), page)}));
    p->addRow(check("xfdyxp", QStringLiteral("消费时是否打印小票")));
    p->addRow(check("zcdyxp", QStringLiteral("会员注册时是否打印小票")));
    p->addRow(check("xkdyxp", QStringLiteral("续卡时是否打印小票")));
    p->addRow(check("autoprint", QStringLiteral("用普通打印机时直接打印小票,不预览")));

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addWidget(receipt, 1, Qt::AlignTop);
    return page;
}

QWidget* Tfrmsysset::salesPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(mc::leftRow({label(QStringLiteral("消费金额保留"), page), edit("jeblxs", digitsAndPoint),
                            label(QStringLiteral("位小数"), page)}));
    QCheckBox* jfkfhck = check("jfkfhck", QStringLiteral("积分卡消费确定时显示收费找零窗口"));
    jfkfhck->hide();
    layout->addLayout(mc::leftRow({check("jdms", QStringLiteral("消费时采用简单模式")), label(QStringLiteral("(即不使用商品信息)"), page)}));
    layout->addWidget(check("kcwlxf", QStringLiteral("库存为零时允许销售")));
    layout->addWidget(check("xfsuseyg", QStringLiteral("消费时必须选择服务员工")));
    layout->addWidget(check("yxxgzk", QStringLiteral("消费时允许修改会员折扣率")));
    layout->addWidget(check("xfbxxzclass", QStringLiteral("消费时必须选择服务类型")));
    layout->addWidget(check("xxxgspjg", QStringLiteral("消费时允许修改商品价格")));
    layout->addWidget(check("usetm", QStringLiteral("录入商品使用条码录入(不显示商品选择下拉框,回车即为录入)")));
    QStringList types;
    try {
        types = mc::serviceTypes(accountDb());
    } catch (const mc::db::DbError&) {
        // FormShow reports a database that cannot be read.
    }
    layout->addLayout(mc::leftRow({label(QStringLiteral("默认服务类型"), page), list("mrxfclass", types)}));
    layout->addStretch();
    return page;
}

QWidget* Tfrmsysset::messagePage()
{
    auto* page = new QWidget(this);
    auto* web = new QRadioButton(QStringLiteral("通过网站发送"), page);
    web->setObjectName(QStringLiteral("smswebfs"));
    auto* phone = new QRadioButton(QStringLiteral("通过手机发送"), page);
    phone->setObjectName(QStringLiteral("smsphone"));
    connect(web, &QRadioButton::toggled, this, &Tfrmsysset::showSmsGroup);

    auto* phoneGroup = new QGroupBox(QStringLiteral("手机发送设置"), page);
    phoneGroup->setObjectName(QStringLiteral("phoneGroup"));
    auto* pf = new QFormLayout(phoneGroup);
    pf->addRow(QStringLiteral("短信发送设备连接在"), list("smsport", mc::modemPorts()));
    QLineEdit* speed = edit("smssv");
    speed->setReadOnly(true);
    pf->addRow(QStringLiteral("测试短信设备连接速率为"), speed);
    pf->addRow(QStringLiteral("小灵通短信前置号码"), edit("xltdx"));
    auto* test = new QPushButton(QStringLiteral("测试短信设备"), page);
    test->setObjectName(QStringLiteral("smstest"));
    test->setEnabled(false);  // the modem test comes with the messaging windows
    pf->addRow(test);

    auto* webGroup = new QGroupBox(QStringLiteral("网站发送设置"), page);
    webGroup->setObjectName(QStringLiteral("webGroup"));
    auto* wf = new QFormLayout(webGroup);
    wf->addRow(QStringLiteral("选择网关"), list("smswg", {}));
    wf->addRow(QStringLiteral("登录账号"), edit("loadzh"));
    QLineEdit* password = edit("loadmm");
    password->setEchoMode(QLineEdit::Password);
    wf->addRow(QStringLiteral("登录密码"), password);

    auto* text = new QPlainTextEdit(page);
    text->setObjectName(QStringLiteral("membersrsendxx"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(phoneGroup);
    groups->addWidget(webGroup);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(mc::leftRow({web, phone}));
    layout->addLayout(groups);
    layout->addWidget(check("membersrsend", QStringLiteral("会员生日当天自动发送短信")));
    layout->addWidget(label(QStringLiteral("自动发送短信内容:"), page));
    layout->addWidget(text, 1);
    return page;
}

void Tfrmsysset::FormShow()
{
    try {
        form_ = mc::loadSettingsForm(accountDb());
    } catch (const mc::db::DbError& e) {
        QMessageBox::warning(this, windowTitle(), e.message());
        findChild<QPushButton*>(QStringLiteral("BitBtn1"))->setEnabled(false);
    }
    showForm(form_);
    PageControl1->setCurrentIndex(0);
}

// Every control is named after the setting it shows.
void Tfrmsysset::showForm(const SettingsForm& form)
{
    for (const mc::Setting& s : mc::settingsTable()) {
        if (const auto* text = std::get_if<QString SettingsForm::*>(&s.form))
            setControlText(findChild<QWidget*>(QLatin1String(s.key)), form.**text);
        else if (const auto* flag = std::get_if<bool SettingsForm::*>(&s.form))
            findChild<QAbstractButton*>(QLatin1String(s.key))->setChecked(form.**flag);
    }
    findChild<QRadioButton*>(QStringLiteral("smsphone"))->setChecked(!form.smswebfs);
    showSmsGroup();
}

SettingsForm Tfrmsysset::readForm() const
{
    SettingsForm form = form_;
    for (const mc::Setting& s : mc::settingsTable()) {
        if (const auto* text = std::get_if<QString SettingsForm::*>(&s.form))
            form.**text = controlText(findChild<QWidget*>(QLatin1String(s.key)));
        else if (const auto* flag = std::get_if<bool SettingsForm::*>(&s.form))
            form.**flag = findChild<QAbstractButton*>(QLatin1String(s.key))->isChecked();
    }
    return form;
}

void Tfrmsysset::showSmsGroup()
{
    const bool web = findChild<QRadioButton*>(QStringLiteral("smswebfs"))->isChecked();
    findChild<QGroupBox*>(QStringLiteral("webGroup"))->setEnabled(web);
    findChild<QGroupBox*>(QStringLiteral("phoneGroup"))->setEnabled(!web);
}

void Tfrmsysset::chooseBackupFolder()
{
    auto* folder = findChild<QLineEdit*>(QStringLiteral("autobppath"));
    QFileDialog dialog(this, QStringLiteral("软件关闭时自动备份到"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QStringLiteral("备份文件(*.bp)"));
    dialog.selectFile(mc::proposedBackupFile(folder->text()));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        folder->setText(mc::chosenBackupFolder(dialog.selectedFiles().constFirst()));
}

void Tfrmsysset::focusField(const QString& name)
{
    auto* w = findChild<QWidget*>(name);
    for (int i = 0; i < PageControl1->count(); ++i)
        if (PageControl1->widget(i)->isAncestorOf(w))
            PageControl1->setCurrentIndex(i);
    w->setFocus();
}

void Tfrmsysset::saveClick()
{
    SettingsForm form = readForm();
    const mc::Done check = mc::checkSettingsForm(form);
    showForm(form);  // the defaults the checks filled in
    if (!check) {
        QMessageBox::information(this, windowTitle(), check.message);
        focusField(check.field);
        return;
    }
    const mc::Done saved = mc::saveSettingsForm(accountDb(), form);
    if (!saved) {
        QMessageBox::warning(this, windowTitle(), saved.message);
        return;
    }
    form_ = form;
    QMessageBox::information(this, windowTitle(), saved.message);
}
