#pragma once
// The password prompt other windows use to ask for a member's password: digits only; OK
// leaves the text in `typedPassword`.

#include <QDialog>

class QLineEdit;

class Tfrmpassword : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmpassword(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void okClick();

    QLineEdit* Edit1;
};
