#pragma once
// 设置IC卡加密密码: the card password, typed twice.

#include "reader_settings.h"

#include <QDialog>

class QLineEdit;

class Tfrmicmm : public QDialog {
    Q_OBJECT
public:
    // Saves into `settings` and its row on success.
    Tfrmicmm(mc::devices::MachineSettings& settings, QWidget* parent = nullptr);

private:
    void saveClick();

    mc::devices::MachineSettings& settings_;
    QLineEdit* first_;
    QLineEdit* second_;
};
