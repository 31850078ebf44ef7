#include "frmshow.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

Tfrmshow::Tfrmshow(mc::ExitBackupRequest request, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), request_(std::move(request)),
      label_(new QLabel(QStringLiteral("正在备份文件"), this)), gauge_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("frmshow"));
    setFixedSize(645, 215);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setStyleSheet(QStringLiteral("color: red;"));
    label_->setWordWrap(true);
    gauge_->setObjectName(QStringLiteral("Gauge1"));
    gauge_->setRange(0, 100);
    gauge_->setFormat(QStringLiteral("%p%"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(label_);
    layout->addWidget(gauge_);
    layout->addStretch();
}

void Tfrmshow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    gauge_->setValue(0);
    // Let the window paint before the copy blocks the thread.
    QTimer::singleShot(50, this, &Tfrmshow::runBackup);
}

void Tfrmshow::runBackup()
{
    mc::ExitBackupProgress progress{
        [this](const QString& text) {
            label_->setText(text);
            QApplication::processEvents();
        },
        [this](int percent) {
            gauge_->setValue(percent);
            QApplication::processEvents();
        }};
    result_ = mc::runExitBackup(request_, progress);
    if (!result_.message.isEmpty())
        QMessageBox::warning(this, QStringLiteral("备份"), result_.message);
    accept();
}
