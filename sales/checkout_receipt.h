#pragma once
// The body of a consumption receipt on a POS printer; the receipt frame adds the blank lines,
// titles, footers and copies.

#include "checkout.h"

#include <QStringList>

namespace mc::sales {

QStringList checkoutReceiptBody(const CheckoutDone& done, const Session& session);

}  // namespace mc::sales
