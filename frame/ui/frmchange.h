#pragma once
// The operator changes his own login password.

#include <QDialog>

class QLineEdit;
class QPushButton;

class Tfrmchange : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmchange(QWidget* parent = nullptr);

private:
    void okClick();

    QLineEdit* oldEdit_;
    QLineEdit* newEdit_;
    QLineEdit* confirmEdit_;
    QPushButton* ok_;
};
