#include "frmcapturebmp.h"

#include "dialog_layout.h"
#include "globals.h"

#include <QCamera>
#include <QCameraDevice>
#include <QDir>
#include <QFileInfo>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVideoWidget>

Tfrmcapturebmp::Tfrmcapturebmp(QString memberName, QWidget* parent)
    : EntryDialog("frmcapturebmp", QStringLiteral("摄像头拍照"), 0, parent), name_(std::move(memberName)),
      view_(new QVideoWidget(this))
{
    view_->setObjectName(QStringLiteral("videoPanel"));
    view_->setMinimumSize(320, 240);
    auto* take = mc::namedButton(this, QStringLiteral("拍照"), "takeButton");
    auto* close = mc::namedButton(this, QStringLiteral("关闭"), "closeButton");
    mc::layoutWithButtons(this, view_, {take, close});
    connect(take, &QPushButton::clicked, this, &Tfrmcapturebmp::takeClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString Tfrmcapturebmp::nextPhotoPath(const QString& folder, const QString& name)
{
    // The name is typed by the operator: a slash in it must not lead out of the folder.
    QString base = name;
    base.replace(u'/', u'_').replace(u'\\', u'_');
    QString path = folder + u'/' + base + QStringLiteral(".bmp");
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = folder + u'/' + base + QString::number(n) + QStringLiteral(".bmp");
    return path;
}

void Tfrmcapturebmp::showEvent(QShowEvent* event)
{
    EntryDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    QTimer::singleShot(100, this, &Tfrmcapturebmp::startCamera);
}

void Tfrmcapturebmp::startCamera()
{
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("没有找到摄像头"));
        reject();
        return;
    }
    session_ = new QMediaCaptureSession(this);
    camera_ = new QCamera(device, this);
    capture_ = new QImageCapture(this);
    session_->setCamera(camera_);
    session_->setImageCapture(capture_);
    session_->setVideoOutput(view_);
    connect(capture_, &QImageCapture::imageCaptured, this, &Tfrmcapturebmp::imageCaptured);
    connect(capture_, &QImageCapture::errorOccurred, this, [this] {
        QMessageBox::information(this, windowTitle(), QStringLiteral("保存照片失败"));
    });
    connect(camera_, &QCamera::errorOccurred, this, [this](QCamera::Error, const QString& text) {
        QMessageBox::information(this, windowTitle(), text);
    });
    camera_->start();
}

void Tfrmcapturebmp::takeClick()
{
    if (!capture_ || !capture_->isReadyForCapture())
        return;
    const QString folder = mc::appPath + QStringLiteral("photo");
    QDir().mkpath(folder);
    target_ = nextPhotoPath(folder, name_);
    capture_->capture();
}

void Tfrmcapturebmp::imageCaptured(int, const QImage& image)
{
    if (!image.save(target_, "BMP") || !QFileInfo::exists(target_)) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("保存照片失败"));
        return;
    }
    saved_ = target_;
    accept();
}
