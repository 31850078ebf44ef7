#pragma once
// Goods imported from the first worksheet of a workbook, with the column mapping of the
// import dialog. The whole import is one transaction: a failing row leaves the catalogue as it
// was, the goods deleted beforehand included.

#include "goods.h"

#include <array>

namespace mc::sales {

struct GoodsImportSettings {
    QString file;
    QString startRow;        // as typed
    bool fixedClass = false; // true: every row takes `classCode`; false: the class is in `classColumn`
    QString classCode;
    QString classColumn;
    // Column numbers as typed; empty or 0 means the column is not imported.
    QString codeColumn;
    QString nameColumn;
    QString priceColumn;
    QString costColumn;
    QString stockColumn;
    std::array<QString, 4> commissionColumns;
    bool deleteExisting = false;
    bool reassignDuplicates = false;  // a code already in use gets a new one; otherwise the import stops
};

// The settings checks in order, each failure naming the setting to focus.
Done checkImportSettings(const GoodsImportSettings& s);

// Checks, opens the workbook, then in one transaction (if asked) deletes the goods and imports
// the rows; the starting stock movements carry the session's operator and time.
Done importGoods(const QSqlDatabase& db, const Session& session, const GoodsImportSettings& s);

}  // namespace mc::sales
