#pragma once
// Member registration (会员注册): issues a new member card in one transaction — the member row,
// the payment into its company account and the operator ledger, the opening row of the member
// account journal, the registration points, the counted items of the class and, with an IC card
// reader/writer, the card itself as the last step. Windows and the command program fill
// RegistrationInput and show the result; every rule and message lives here.
//
// The card number by card mode: 1 the number read or typed (required); 2 the member number, as
// the IC card holds it; 3 (no card device) the member number as well, so a shop without a reader
// can register and later switch to IC cards without renumbering.

#include "ic_card.h"
#include "registration_fields.h"
#include "result.h"
#include "session.h"
#include "utils/money.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <functional>

namespace mc::members {

struct RegistrationInput {
    int cardMode = 1;  // 1 card number device, 2 IC card reader/writer, 3 none
    QString memberno;  // padded to the member-number width here as on leaving the field
    QString truecard;  // card mode 1 only; modes 2 and 3 take the member number
    QString membername;
    QString sex;
    QString cardno;    // class code
    QString deposit;   // 实存金额 as typed; stored-value classes only, empty is 0
    Money khyhje;      // 优惠金额
    QString khjkfs;    // payment account (gszh.zhname)
    QString sfzh;
    QDate birthday;    // invalid: taken from the identity number when it holds one
    QString gzdw, txdz, yzbm, movetel, jttel, worktel, workcz;
    QString memberphoto;
    QString password;  // as typed; stored encoded
    QString rhjsr;     // introducer's member number
    QDateTime khdate;  // invalid: the session's time
    // Custom fields by column name; a field left out gets its default.
    QHash<QString, QVariant> custom;
};

struct RegistrationDone {
    int pid = 0;
    QString memberno;
    QString truecard;
    QString membername;
    QString cardname;
    QString classname;  // the kind text
    Money curmoney;
    int curcs = 0;
    Money khkjg, khyj, khcksj, khhjys, khyhje, khssje;
    QString khjkfs;
    QDateTime khdate;
    QDateTime dqdate;
    int xfjf = 0;
};

// Writes the new IC card inside the save transaction, after every row; false when the card was
// not written, which rolls the registration back. It must not wait for the operator: the card is
// put in before the save begins, and a card that is not there fails at once.
using IcCardWrite = std::function<bool(const devices::IcCardData&)>;

// The settings registration reads: member-number width and amount decimals.
struct RegistrationSettings {
    int memberws = 0;
    int jeblxs = 2;
};

// Checks the input in the order of the save checks, then in one transaction checks what the
// database holds and writes every row, the card last. Done with "保存完成" and the new member,
// or refused with the first failed check's message and the field to focus; nothing is changed
// then.
mc::Result<RegistrationDone> registerMember(const QSqlDatabase& db, const Session& session,
                                            const RegistrationSettings& settings, RegistrationInput input,
                                            const IcCardWrite& writeCard = {});

}  // namespace mc::members
