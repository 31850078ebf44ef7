#pragma once
// The window shown while the automatic backup runs at exit: a caption and a gauge.

#include "exit_backup.h"

#include <QDialog>

class QLabel;
class QProgressBar;

class Tfrmshow : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmshow(mc::ExitBackupRequest request, QWidget* parent = nullptr);
    const mc::ExitBackupResult& result() const { return result_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void runBackup();

    mc::ExitBackupRequest request_;
    mc::ExitBackupResult result_;
    QLabel* label_;
    QProgressBar* gauge_;
};
