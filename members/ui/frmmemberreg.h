#pragma once
// 会员注册: the operator fills in the new member, its class and the payment; the registration
// service checks and saves, the window shows the result and prints the ticket.

#include "registration.h"
#include "window_kit.h"

#include <QSqlDatabase>

#include <optional>

class CustomFieldPage;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class Tfrmmemberreg : public mc::ui::EntryDialog {
    Q_OBJECT
public:
    explicit Tfrmmemberreg(QSqlDatabase db, QWidget* parent = nullptr);

    // Writes the IC card of a registration (card mode 2) in place of the card reader; for tests.
    void setCardWriter(mc::members::IcCardWrite write) { writeCard_ = std::move(write); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* basicPage();
    QWidget* paymentPanel();
    QLineEdit* edit(const char* column, int maxLength = 0);

    void addClick();
    void saveClick();
    mc::members::RegistrationInput input() const;
    mc::members::IcCardWrite cardWriterForSave();
    void readCard();
    void classChosen();
    void depositLeft();
    void memberNoLeft();
    void identityLeft();
    void introducerClick();
    void choosePhotoClick();
    void takePhotoClick();
    void showPhoto(const QString& file);
    void showTotals();
    void setEditing(bool editing);
    void printTicket(const mc::members::RegistrationDone& done, const mc::Session& session);

    QSqlDatabase db_;
    mc::members::IcCardWrite writeCard_;
    std::optional<mc::members::ClassAmounts> class_;
    QString cardProblem_;  // what the card reader said when a write failed
    QString photo_;
    QDateTime khdate_;
    bool shown_ = false;

    QTabWidget* pages_;
    CustomFieldPage* custom_ = nullptr;
    QLineEdit *memberno_, *truecard_, *name_, *sfzh_, *birthday_, *gzdw_, *movetel_, *jttel_, *txdz_, *yzbm_,
        *worktel_, *workcz_, *password_, *rhjsr_;
    QComboBox *sex_, *classBox_, *account_;
    QLineEdit *kind_, *khkjg_, *khyj_, *deposit_, *curmoney_, *khdateText_, *usemonth_, *useday_;
    QLabel* depositLabel_;
    QLabel* photoView_;
    QLineEdit *sumPrice_, *sumDeposit_, *khcksj_, *khhjys_, *khyhje_, *khssje_;
    QPushButton *add_, *reset_, *save_, *exit_, *readCard_, *introducer_, *choosePhoto_, *takePhoto_;
};
