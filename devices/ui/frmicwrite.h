#pragma once
// ic卡内写入数据: writes a member's data onto a new or an existing IC card, retrying on card
// problems until the card holds the data or the operator gives up (Esc or closing the window).

#include "card_reader.h"
#include "ic_card.h"
#include "responsive_wait.h"

#include <QDialog>

class QLabel;

class Tfrmicwrite : public QDialog {
    Q_OBJECT
public:
    Tfrmicwrite(mc::devices::CardReader& reader, mc::devices::IcCardData cardData, QWidget* parent = nullptr);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void write();

    mc::devices::CardReader& reader_;
    mc::devices::IcCardData data_;
    QLabel* prompt_;
    int port_ = 0;
    ResponsiveWait wait_;
    bool writing_ = false;
    bool shown_ = false;
};
