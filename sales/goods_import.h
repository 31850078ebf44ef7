#pragma once
// Goods imported from the first worksheet of a workbook, with the column mapping of the
// import dialog. There is no transaction over the whole import: rows before a failing row stay.

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

// The settings checks in order; the empty text when they pass.
QString checkImportSettings(const GoodsImportSettings& s);

// Checks, opens the workbook, then (if asked) deletes the goods, then imports row by row.
// The workbook is opened before anything is deleted, so a wrong file costs nothing.
Outcome importGoods(const QSqlDatabase& db, const GoodsImportSettings& s);

}  // namespace mc::sales
