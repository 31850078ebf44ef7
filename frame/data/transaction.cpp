#include "transaction.h"

#include "database.h"

#include <QHash>

namespace mc::db {

namespace {

// Open guards per connection. Per thread, because tests race connections on threads.
QHash<QString, int>& depths()
{
    thread_local QHash<QString, int> d;
    return d;
}

QString savepointName(int depth)
{
    return QStringLiteral("sp%1").arg(depth);
}

}  // namespace

Transaction::Transaction(const QSqlDatabase& db)
    : db_(db), depth_(depths().value(db.connectionName(), 0))
{
    if (depth_ > 0) {
        exec(db_, QStringLiteral("SAVEPOINT ") + savepointName(depth_));
    } else if (engineOf(db_) == Engine::Sqlite) {
        // Take the write lock at once: a deferred transaction that reads first and writes later
        // can fail when another workstation writes in between, instead of waiting for it.
        exec(db_, QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        exec(db_, QStringLiteral("BEGIN"));
    }
    depths()[db_.connectionName()] = depth_ + 1;
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            if (depth_ > 0) {
                exec(db_, QStringLiteral("ROLLBACK TO SAVEPOINT ") + savepointName(depth_));
                exec(db_, QStringLiteral("RELEASE SAVEPOINT ") + savepointName(depth_));
            } else {
                exec(db_, QStringLiteral("ROLLBACK"));
            }
        } catch (const DbError&) {
            // The connection is gone; the engine has rolled back by itself.
        }
    }
    depths()[db_.connectionName()] = depth_;
}

void Transaction::commit()
{
    exec(db_, depth_ > 0 ? QStringLiteral("RELEASE SAVEPOINT ") + savepointName(depth_)
                         : QStringLiteral("COMMIT"));
    done_ = true;
}

bool Transaction::active(const QSqlDatabase& db)
{
    return depths().value(db.connectionName(), 0) > 0;
}

}  // namespace mc::db
