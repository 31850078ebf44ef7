#pragma once
// The rows a consumption checkout writes, in the order the save writes them. Only the checkout
// calls these, inside its transaction, after every check has passed; a refusal they return
// rolls the whole save back.

#include "amounts.h"
#include "checkout.h"

namespace mc::sales::checkout_rows {

// The member as read inside the transaction.
struct Member {
    int pid = 0;
    QString memberno;
    QString truecard;
    QString membername;
    QString cardno;
    Money curmoney;
    QString memberpwd;
    QString cardname;
    QString classname;  // 卡大类
};

// The voucher's amounts and lines as the calculator worked them out.
struct Amounts {
    VoucherTotals totals;
    QList<VoucherLine> lines;
};

// What every write needs.
struct Save {
    const QSqlDatabase& db;
    const Session& session;
    const Member& member;  // as read again inside the transaction
    const VoucherSetup& setup;
    Amounts& amounts;
    QString jkfs;
    std::optional<ServingStaff> voucherStaff;
    QString xfdh;
};

// Takes each line's quantity out of stock with its "销售" movement; service goods have no
// stock. Refused when a line's stock runs out and the settings do not allow selling below zero.
Done takeStock(Save& s);
// The voucher's lines (`xfsp`).
void writeLines(const Save& s);
struct MemberAfter {
    Money curmoney;
    int xfjf = 0;
    Money syyhje;
};
// The member's totals, points, balance (stored-value card) and discount credit. Refused when
// another workstation spent the same balance or credit since the checks.
Result<MemberAfter> moveMember(const Save& s, bool storedValue);
// The voucher row (`memberxx`), paid at once.
void writeVoucher(const Save& s, Money curmoney, Money sjkye, Money knye);
// A discount card pays into the account it names: its balance and the operator's ledger row.
// Refused when the account does not exist.
Done bookToAccount(const Save& s);
// A points row (`memberjf`) of kind "消费积分".
void appendPointsRow(const Save& s, int hdjf, int kcjf, int curjf);

struct Upgrade {
    QString cardno;
    QString cardname;
    int xfjf = 0;
};

// One step up when the class's first upgrade rule is reached by `xfjf`, the member's points
// after this sale; nothing when no rule is reached. Refused when the target class is missing.
Result<std::optional<Upgrade>> upgrade(const Save& s, int xfjf);

}  // namespace mc::sales::checkout_rows
