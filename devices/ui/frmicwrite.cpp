#include "frmicwrite.h"

#include "database.h"
#include "reader_port.h"
#include "reader_settings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

Tfrmicwrite::Tfrmicwrite(mc::devices::CardReader& reader, mc::devices::IcCardData cardData, QWidget* parent)
    : QDialog(parent), reader_(reader), data_(std::move(cardData))
{
    setObjectName(QStringLiteral("frmicwrite"));
    setWindowTitle(QStringLiteral("ic卡内写入数据"));
    prompt_ = new QLabel(this);
    prompt_->setObjectName(QStringLiteral("Label1"));
    prompt_->setMinimumWidth(320);
    auto* hint = new QLabel(QStringLiteral("按[esc]退出等待"), this);
    hint->setObjectName(QStringLiteral("Label2"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(hint);
}

void Tfrmicwrite::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    const std::optional<int> port = readerPortOrReport(this);
    if (!port) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("串口号获取错误,请先设置串口号"));
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    port_ = *port;
    prompt_->setText(QStringLiteral("请放卡,正在检测卡..."));
    QTimer::singleShot(100, this, &Tfrmicwrite::write);
}

void Tfrmicwrite::write()
{
    if (!isVisible())  // ended before the write began: the card is not touched
        return;
    const auto settings = mc::devices::loadMachineSettings(QSqlDatabase::database(mc::db::accountConnection, false));
    mc::devices::IcCardWriter writer(reader_, port_, mc::devices::systemPsc(settings.jmmm), data_);
    writing_ = true;
    const bool written = writer.run({std::cref(wait_),
                                     [this](const QString& m) { QMessageBox::information(this, windowTitle(), m); },
                                     [this](const QString& p) { prompt_->setText(p); }});
    writing_ = false;
    if (written)
        accept();
    else
        reject();
}

void Tfrmicwrite::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        wait_.cancel();
        if (!writing_)
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfrmicwrite::closeEvent(QCloseEvent* event)
{
    // While the card is being handled, closing only asks the procedure to stop; it ends the
    // window itself once the port is closed.
    if (writing_) {
        wait_.cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Tfrmicwrite::done(int result)
{
    if (writing_) {
        wait_.cancel();
        return;
    }
    QDialog::done(result);
}
