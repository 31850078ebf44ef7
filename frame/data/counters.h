#pragma once
// Changes to balances and counters that several workstations update at once. Each is one
// "set x = x + ?" statement, so a concurrent change is never lost; call them inside the
// operation's transaction.

#include "utils/money.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace mc::db {

// Adds `delta` to `column` of the one row of `table` whose `keyColumn` equals `key` and returns
// the new value. Table and column names are the program's own, never user input. Throws
// DbError when no row matches.
double addTo(const QSqlDatabase& db, const QString& table, const QString& column, double delta,
             const QString& keyColumn, const QVariant& key);
// The same for a money column: the column keeps the exact decimal of the new amount, not the
// binary noise of adding two doubles.
Money addTo(const QSqlDatabase& db, const QString& table, const QString& column, Money delta,
            const QString& keyColumn, const QVariant& key);

// One money movement of the operator ledger (`actormoney`).
struct LedgerEntry {
    QString actorId;
    QString actorName;
    QString memberNo;
    QDateTime when;
    QString account;   // gszh.zhname
    QString item;      // sfkxm, such as "会员存款"
    Money received;   // skje
    Money due;        // ysje
    Money credited;   // crje, stored as whole yuan, halves to even
    Money change;     // zlje
    Money paidOut;    // zcje
};

// Moves the account balance by received − paid out and appends the ledger row carrying the
// account's new balance. Returns that balance.
Money appendLedgerRow(const QSqlDatabase& db, const LedgerEntry& entry);

// Opens a shift row for the operator unless one is open already. Two workstations starting
// at once still leave exactly one open row. Returns true when this call opened it.
bool openShiftIfNone(const QSqlDatabase& db, const QString& actorId, const QString& actorName,
                     const QDateTime& when);

}  // namespace mc::db
