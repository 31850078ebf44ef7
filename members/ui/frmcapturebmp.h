#pragma once
// 摄像头拍照: the member's photo from the workstation's camera, saved as photo/<name>.bmp in the
// data folder (or <name>1.bmp, <name>2.bmp … when taken). Without a camera it says so and
// hands back nothing.

#include "window_kit.h"

#include <QString>

class QCamera;
class QImageCapture;
class QMediaCaptureSession;
class QVideoWidget;

class Tfrmcapturebmp : public mc::ui::EntryDialog {
    Q_OBJECT
public:
    Tfrmcapturebmp(QString memberName, QWidget* parent = nullptr);

    // The saved photo; empty when none was taken.
    const QString& savedFile() const { return saved_; }

    // `folder`/<name>.bmp, or the first of <name>1.bmp, <name>2.bmp … that does not exist; a
    // slash or backslash in the name becomes "_".
    static QString nextPhotoPath(const QString& folder, const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void startCamera();
    void takeClick();
    void imageCaptured(int id, const QImage& image);

    QString name_;
    QString saved_;
    QString target_;
    bool shown_ = false;
    QVideoWidget* view_;
    QCamera* camera_ = nullptr;
    QImageCapture* capture_ = nullptr;
    QMediaCaptureSession* session_ = nullptr;
};
