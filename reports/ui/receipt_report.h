#pragma once
// Reports handed to the user: lists and reports in the preview, receipts on an ordinary printer
// as the receipt settings say.

#include "receipt.h"
#include "report.h"

#include <QString>

class QWidget;

namespace mc::reports {

// Prepares the report afresh and shows it in the (modal) preview.
void previewReport(const Report& report, QWidget* parent);

// With `autoprint` the prepared receipt goes `dyys` times to the receipt printer without any
// dialog, otherwise the preview opens. Returns an error text (an unknown printer, say).
QString printReceiptReport(const Report& report, const receipts::ReceiptSettings& settings, QWidget* parent);

}  // namespace mc::reports
