#pragma once
// The field rules of a registration: what the window applies while the operator fills the row,
// and what the save applies again, so the amounts shown are the amounts saved.

#include "utils/money.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

namespace mc::members {

// The member number left-padded with "0" to the member-number width (none when 0).
QString paddedMemberNo(const QString& memberno, int memberws);
// The birthday a 15- or 18-character identity number holds; nothing when it holds none.
std::optional<QDate> birthdayFromIdentity(const QString& sfzh);

// What choosing a class gives.
struct ClassAmounts {
    QString classname;   // kind text
    QString cardname;
    int cardcs = 0;
    double czqs = 1;     // the credit multiplier: the class's czqs for stored-value cards, else 1
    int usemonth = 0;
    int useday = 0;
    Money khkjg, khyj;
};
// Nothing when the class does not exist. Throws db::DbError.
std::optional<ClassAmounts> classAmounts(const QSqlDatabase& db, const QString& cardno);

// The amounts of the window's bottom panel once a deposit and a discount are typed.
struct Totals {
    Money khcksj, khhjys, khssje, curmoney;
    int curcs = 0;
};
// `deposit` is ignored unless the class is a stored-value class.
Totals registrationTotals(const ClassAmounts& c, Money deposit, Money khyhje, int jeblxs);
// Months first, then days, as the validity of a class reads.
QDateTime expiryDate(const QDateTime& khdate, int usemonth, int useday);

// The company accounts a registration can be paid into (收款方式). Throws db::DbError.
QStringList paymentAccounts(const QSqlDatabase& db);

}  // namespace mc::members
