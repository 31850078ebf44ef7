#pragma once

#include <QSqlDatabase>
#include <QString>

namespace mc::db {

// Rolls back unless committed. A guard opened while another is active on the same
// connection becomes a savepoint, so a failing inner step (the operation log, for one) can be
// undone without spoiling the outer transaction — PostgreSQL would otherwise abort it whole.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

    // True while a guard is open on this connection.
    static bool active(const QSqlDatabase& db);

private:
    QSqlDatabase db_;
    int depth_;
    bool done_ = false;
};

}  // namespace mc::db
