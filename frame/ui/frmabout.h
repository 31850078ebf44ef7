#pragma once
// The About window of the help menu.

#include <QDialog>

class Tfrmabout : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmabout(QWidget* parent = nullptr);
};
