#pragma once
// 卡号录入: the card number typed, from a serial card-number reader, or read from an IC card.
// Accepted with `mc::pickedNumber` set (and `mc::readCardBalance` for IC cards); any cancel
// leaves both empty.

#include "card_number_buffer.h"
#include "card_reader.h"
#include "responsive_wait.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QSerialPort;
class QStatusBar;

class Tfrmreadcard : public QDialog {
    Q_OBJECT
public:
    Tfrmreadcard(mc::devices::CardReader& reader, QWidget* parent = nullptr);
    ~Tfrmreadcard() override;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void serialReceived();
    void readIcCard();
    void exitClick();

    mc::devices::CardReader& reader_;
    QLineEdit* number_;
    QLabel* numberLabel_;
    QStatusBar* status_;
    QSerialPort* serial_ = nullptr;
    std::optional<mc::devices::CardNumberBuffer> buffer_;
    ResponsiveWait wait_;
    std::optional<int> port_;
    bool readingIc_ = false;
    // The result asked for while the IC read was waiting (a typed number accepts the dialog).
    int resultAfterRead_ = QDialog::Rejected;
    bool shown_ = false;
};
