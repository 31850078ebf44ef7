#pragma once
// The synthetic account set the benchmark measures on: the demonstration set's classes, staff and
// accounts, then goods, members of all three card kinds and the journal, all through the
// services. Built once per size and reused by later runs.

#include "bench.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace bench {

// Member `i` (1-based) by kind: i % 3 == 1 stored value (0001), 2 discount (0002), 0 count (0003).
QString memberNo(int i);
QString cardNo(int i);
int goodsCount();
QString goodsNo(int g);

// When the synthetic members joined; the journal runs from then to a few days before today.
QDateTime joinedAt();

// Opens the account set for the options on the connection `connectionName`, building it first
// when the data folder (or server) does not hold one of this size yet.
QSqlDatabase openSyntheticSet(const Options& options, const QString& connectionName);

}  // namespace bench
