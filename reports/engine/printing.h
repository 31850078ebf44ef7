#pragma once
// Printing a prepared report without any dialog.

#include "prepared_report.h"

#include <QString>

class QPrinter;

namespace mc::reports {

// Prints `copies` copies to the printer of that name (empty: the default printer). Returns an
// error text, empty on success; an unknown or unusable printer is an error, not a silent no-op.
QString printReport(const PreparedReport& report, const QString& printerName, int copies);
// Prints to a printer set up by the caller (a PDF file, in tests).
QString printReport(const PreparedReport& report, QPrinter& printer, int copies);

}  // namespace mc::reports
