#pragma once
// Sending receipt bytes to a POS printer: a device file (a parallel or USB line printer) or a
// raw print queue. A printer that cannot be reached is an error the window shows.

#include "receipt.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mc::receipts {

// The first of /dev/lp0…3 and /dev/usb/lp0…3 that exists, else "/dev/lp0".
QString defaultPosTarget();

// The workstation's POS printer: key "posprinter" of section "sys" in sysset.ini (a device path
// or "queue:NAME"), or defaultPosTarget() when that is empty. It stands in for the port "lpt1".
QString configuredPosTarget();

// `target` is a device path, or "queue:NAME" for the raw print queue NAME (sent through `lp`).
// Empty means configuredPosTarget(). Returns an error text, empty when every byte was handed
// over. Never creates a file.
QString sendToPosPrinter(const QString& target, const QByteArray& bytes);

// A receipt on the POS printer: every copy in one piece, nothing sent when there are no copies.
// Returns an error text, empty on success.
QString printPosReceipt(const ReceiptSettings& settings, const QStringList& body);

}  // namespace mc::receipts
