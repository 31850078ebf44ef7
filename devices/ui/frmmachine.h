#pragma once
// 读卡设备设置: the kind of card, the input device, its port and line settings, the IC card area
// and password.

#include "reader_settings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class Tfrmmachine : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmmachine(QWidget* parent = nullptr);

private:
    void showSettings();
    void readControls();
    void saveClick();
    void passwordClick();
    void deviceChanged();

    mc::devices::MachineSettings settings_;
    QComboBox* symc_;
    QButtonGroup* jplr_;
    QComboBox* port_;
    QLineEdit* txset_;
    QCheckBox* isusejp_;
    QSpinBox* icqh_;
    QLineEdit* password_;
};
