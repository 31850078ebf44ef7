#pragma once
// Stock received from and returned to suppliers, at moving average purchase price. Each change
// of stock is one statement on the goods row and one `kccl` movement in the same transaction,
// so two workstations receiving at once lose nothing.

#include "goods.h"

namespace mc::sales {

// The quantity and price as typed. Quantities are whole units; the movement carries the
// session's operator and time.
Done receiveStock(const QSqlDatabase& db, const Session& session, const QString& spno, const QString& quantity,
                  const QString& price);
Done returnStock(const QSqlDatabase& db, const Session& session, const QString& spno, const QString& quantity,
                 const QString& price);

}  // namespace mc::sales
