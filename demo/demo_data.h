#pragma once
// The members and vouchers of the demonstration account set, made through the same services the
// windows use, so its journals, ledgers and stock agree as a real shop's do.

#include <QDateTime>
#include <QSqlDatabase>

namespace mc::demo {

// Registers a few members of each card kind four days before `made` and sells to the
// stored-value and discount members on each of the three days after.
// Throws db::DbError, also naming an operation a service refused.
void fillDemoSet(const QSqlDatabase& db, const QDateTime& made);

// Hands fillDemoSet to the data folder, to run when it builds the demonstration set.
void installDemoFiller();

}  // namespace mc::demo
