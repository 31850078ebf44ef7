#pragma once
// The login window: pick an account set, type the staff code and the password.

#include "account_sets.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Tfrmuserload : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmuserload(QWidget* parent = nullptr);

    // Fills the account-set list and connects the preselected set.
    void FormShow();
    // Normalises the typed staff code and shows the staff name.
    void listuser();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pickSet(int index);
    void sBitBtn1Click();
    void sBitBtn3Click();
    void showDemoNotes(bool demo);

    QList<mc::login::AccountSet> sets_;
    QLineEdit* sEdit2;  // staff code
    QLineEdit* sEdit3;  // staff name
    QLineEdit* sEdit1;  // password
    QComboBox* scbzt;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* sBitBtn1;
};
