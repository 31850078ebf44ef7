#include "frmreadcard.h"

#include "database.h"
#include "globals.h"
#include "ic_card.h"
#include "line_settings.h"
#include "reader_port.h"
#include "reader_settings.h"
#include "utils/serialports.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QSerialPort::Parity parityOf(char p)
{
    switch (p) {
    case 'e': return QSerialPort::EvenParity;
    case 'o': return QSerialPort::OddParity;
    case 'm': return QSerialPort::MarkParity;
    case 's': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

void configure(QSerialPort& port, const mc::devices::LineSettings& s)
{
    port.setBaudRate(s.baud);
    port.setParity(parityOf(s.parity));
    port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits));
    port.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop
                                     : s.stopBits == 1.5 ? QSerialPort::OneAndHalfStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

}  // namespace

Tfrmreadcard::Tfrmreadcard(mc::devices::CardReader& reader, QWidget* parent) : QDialog(parent), reader_(reader)
{
    setObjectName(QStringLiteral("frmreadcard"));
    setWindowTitle(QStringLiteral("卡号录入"));
    numberLabel_ = new QLabel(QStringLiteral("请输入会员卡号"), this);
    number_ = new QLineEdit(this);
    number_->setObjectName(QStringLiteral("Edit1"));
    number_->installEventFilter(this);
    auto* exit = new QPushButton(QStringLiteral("退出(&E)"), this);
    exit->setObjectName(QStringLiteral("BitBtn1"));
    exit->setAutoDefault(false);
    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    for (const char* name : {"panel0", "panel1", "panel2"}) {
        auto* panel = new QLabel(status_);
        panel->setObjectName(QLatin1String(name));
        panel->setMinimumWidth(120);
        status_->addWidget(panel);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(numberLabel_);
    row->addWidget(number_);
    row->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(status_);
    connect(exit, &QPushButton::clicked, this, &Tfrmreadcard::exitClick);
}

Tfrmreadcard::~Tfrmreadcard() = default;

void Tfrmreadcard::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void Tfrmreadcard::FormShow()
{
    mc::pickedNumber.clear();
    mc::readCardBalance.clear();
    const auto settings = mc::devices::loadMachineSettings(QSqlDatabase::database(mc::db::accountConnection, false));
    auto panel = [this](int i) { return findChild<QLabel*>(QStringLiteral("panel%1").arg(i)); };
    const auto keyboardPanel = [&] {
        panel(2)->setText(settings.isusejp ? QStringLiteral("允许键盘录入卡号") : QStringLiteral("不能使用键盘录入卡号"));
    };
    switch (settings.jplr) {
    case 1:
        panel(0)->setText(QStringLiteral("使用串口读卡器"));
        number_->setVisible(settings.isusejp);
        numberLabel_->setVisible(settings.isusejp);
        keyboardPanel();
        if (const std::optional<int> port = readerPortOrReport(this)) {
            panel(1)->setText(QStringLiteral("串口号:com%1").arg(*port));
            buffer_.emplace(mc::devices::expectedCardNumberLength(settings.symc));
            serial_ = new QSerialPort(this);
            serial_->setPortName(mc::comDevicePath(*port));
            configure(*serial_, mc::devices::parseLineSettings(settings.txset));
            connect(serial_, &QSerialPort::readyRead, this, &Tfrmreadcard::serialReceived);
            if (!serial_->open(QIODevice::ReadOnly))
                panel(1)->setText(QStringLiteral("串口号:com%1 打开失败").arg(*port));
        }
        break;
    case 2:
        number_->setEnabled(settings.isusejp);
        keyboardPanel();
        panel(0)->setText(QStringLiteral("使用串口读写器(ic卡)"));
        port_ = readerPortOrReport(this);
        if (port_) {
            panel(1)->setText(QStringLiteral("串口号:com%1").arg(*port_));
            QTimer::singleShot(100, this, &Tfrmreadcard::readIcCard);
        }
        break;
    default:
        panel(0)->setText(QStringLiteral("使用键盘口读卡器"));
        break;
    }
    if (number_->isVisible() && number_->isEnabled())
        number_->setFocus();
}

bool Tfrmreadcard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == number_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!number_->text().isEmpty()) {
                mc::pickedNumber = number_->text().toUpper();
                accept();
            }
            return true;
        }
        // Only digits reach the field; Backspace is swallowed as well.
        const QString text = key->text();
        if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
            return false;
        if (key->key() == Qt::Key_Backspace)
            return true;
        return !text.isEmpty() && !(key->modifiers() & Qt::ControlModifier);
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrmreadcard::serialReceived()
{
    const QString chunk = QString::fromLatin1(serial_->readAll());
    if (const auto number = buffer_->add(chunk)) {
        mc::pickedNumber = *number;
        accept();
    }
}

void Tfrmreadcard::readIcCard()
{
    if (!isVisible())
        return;
    const auto settings = mc::devices::loadMachineSettings(QSqlDatabase::database(mc::db::accountConnection, false));
    readingIc_ = true;
    const mc::Result<mc::devices::IcCardRead> r =
        mc::devices::readIcCard(reader_, *port_, mc::devices::systemPsc(settings.jmmm), std::cref(wait_));
    readingIc_ = false;
    if (!r.message.isEmpty())
        QMessageBox::information(this, windowTitle(), r.message);
    if (r.ok) {
        mc::pickedNumber = r.value.cardNumber;
        mc::readCardBalance = r.value.balance;
    }
    done(r.ok ? QDialog::Accepted : resultAfterRead_);
}

void Tfrmreadcard::exitClick()
{
    // During an IC wait the read ends itself, closing the port, and then cancels the dialog.
    if (readingIc_)
        wait_.cancel();
    else
        reject();
}

void Tfrmreadcard::done(int result)
{
    if (readingIc_) {
        resultAfterRead_ = result;
        wait_.cancel();
        return;
    }
    if (serial_)
        serial_->close();
    if (result != QDialog::Accepted) {
        mc::pickedNumber.clear();
        mc::readCardBalance.clear();
    }
    QDialog::done(result);
}
