#pragma once
// Export of a data source's rows, with its column titles as the first row.

#include "data_source.h"

#include <QString>

namespace mc::reports {

// UTF-8 with a byte-order mark (so that spreadsheet programs read the Chinese texts), fields
// quoted where needed, lines ending in CR LF. Returns an error text, empty on success.
QString exportCsv(const DataSource& data, const QString& file);
// One sheet; numbers stay numbers, everything else is written as text. Returns an error text.
QString exportXlsx(const DataSource& data, const QString& file, const QString& sheetName = QStringLiteral("Sheet1"));

}  // namespace mc::reports
