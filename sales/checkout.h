#pragma once
// The consumption checkout: a member (or the cash customer 0000) buys goods lines, or in simple
// mode an amount, and pays from the stored-value balance or in cash to an account. The window
// and the command fill the same input; the amounts come from the same calculator the window
// shows, and the whole save is one transaction.

#include "amounts.h"
#include "result.h"
#include "session.h"
#include "utils/money.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

namespace mc::sales {

// One goods line as the operator entered it. The optional values are those the window lets an
// operator type into a line's cells; left empty, the line keeps what the catalogue and the
// class give it.
struct CheckoutLine {
    QString spno;
    int spnum = 1;
    std::optional<Money> spdj;    // unit price: only with 消费时允许修改商品价格 (xxxgspjg)
    std::optional<double> spzkl;  // rate in 折: only in direct mode with 消费时允许修改会员折扣率 (yxxgzk)
    std::optional<Money> spjsjg;  // settlement price
    QString ygid;                 // the line's staff; empty: the voucher's staff
    QString fwclass;              // service type; empty: the default service type
    std::optional<Money> yggz;    // staff commission (`ygtc`)
};

// The IC card as read just before the save (card mode 2).
struct CardRead {
    QString cardNumber;
    Money balance;
};

struct CheckoutInput {
    // The member: by card number, by member number, or the cash customer.
    QString card;
    QString memberno;
    bool cash = false;

    QList<CheckoutLine> lines;     // detailed mode
    Money sjxfje;                  // simple mode: the amount due as typed
    std::optional<double> sjzkl;   // voucher rate: only with yxxgzk
    std::optional<QString> jkfs;   // payment account; empty: "卡内扣除" or "现金" by the class
    Money otyh;
    Money otsk;
    bool usecredit = false;        // 使用可抵扣金额
    QString ygid;                  // the voucher's staff
    QString password;              // the member's password as typed

    int cardMode = 1;              // 1 card number, 2 IC card, 3 no card device
    std::optional<CardRead> icCard;  // card mode 2: the card read during the save
};

// What goes onto the IC card, last of all the writes.
struct CardWrite {
    QString cardNumber;
    Money balance;  // the exact new balance
    QString classCode;
};
// Writes the card and says whether it took. Called inside the transaction, so it must not wait
// for the operator: a card that is gone fails at once and the save rolls back.
using CardWriter = std::function<Done(const CardWrite&)>;

struct CheckoutDone {
    QString xfdh;
    Money sjxfje;
    Money zkhje;
    Money bcdkje;
    Money xfje;
    int bcxfjf = 0;
    Money curmoney;  // the member's balance after the save
    int xfjf = 0;    // the member's points after the save (and after an upgrade)
    Money syyhje;    // the member's discount credit after the save
    QString cardno;  // the new class after an upgrade, else the member's class
    bool upgraded = false;

    // For the receipt.
    QString memberno;
    QString membername;
    QString cardname;   // the class name before the save
    QString bigClass;   // 储值卡 or 折扣卡
    QString zkfs;
    Money otyh;
    Money otsk;
    bool simpleMode = false;
    QList<VoucherLine> lines;
};

inline const QString cashCustomerNo = QStringLiteral("0000");

// Checks in order, then one transaction: stock, lines, voucher, member totals, the discount
// card's account and ledger row, points, the automatic upgrade and, in card mode 2 for a
// stored-value card, the IC card through `writeCard`. Refused with the window's message and
// nothing changed; done with "消费完成" or the upgrade message.
Result<CheckoutDone> checkout(const QSqlDatabase& db, const CheckoutInput& input, const Session& session,
                              const CardWriter& writeCard = {});

}  // namespace mc::sales
