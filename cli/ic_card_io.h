#pragma once
// The IC card read and written as the windows do it (card mode 2), with nobody at the counter:
// the card must lie on the reader. A missing card or a card the writer would ask to swap ends the
// step at once; its message goes to standard error and the service refuses with its own message.

#include "ic_card.h"
#include "result.h"

#include <QSqlDatabase>

namespace mc::cli {

// The card on the reader, waiting a few seconds for one; a refusal carries the reader's message
// (empty when no card came).
Result<devices::IcCardRead> readIcCard(const QSqlDatabase& accountDb);

// True when the card holds `data`. With `waitForCard` the card may still be put on the reader
// for a few seconds; without it (inside a save) a card that is not there fails at once.
bool writeIcCard(const QSqlDatabase& accountDb, const devices::IcCardData& data, bool waitForCard);

}  // namespace mc::cli
