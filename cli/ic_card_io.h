#pragma once
// The IC card written as the windows write it (card mode 2), with nobody at the counter: the card
// must lie on the reader. A missing card or a card the writer would ask to swap ends the write at
// once; its message goes to standard error and the service then refuses with its own message.

#include "ic_card.h"

#include <QSqlDatabase>

namespace mc::cli {

// True when the card holds `data`.
bool writeIcCard(const QSqlDatabase& accountDb, const devices::IcCardData& data);

}  // namespace mc::cli
