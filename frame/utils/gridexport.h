#pragma once
// Export of a data grid to an .xlsx workbook in the program's report layout:
//   A1:I1 merged, the title in font size 14; A2:I2 merged and empty;
//   row 3 the titles of the visible columns, each in the sheet column of its grid position;
//   from row 4 one row per record, floating-point values as "0.00" text;
//   after one empty row, A:I merged, "制单人：" + maker + "  制单日期：" + date as "yyyy-MM-dd".
// Any item model with a horizontal header is a grid; hidden columns come from the view.

#include <QAbstractItemModel>
#include <QDate>
#include <QSet>
#include <QString>

namespace mc {

struct GridExportResult {
    bool ok = false;
    QString error;  // why the workbook was not written
};

// Writes the whole workbook to `path`, or leaves any existing file there untouched on failure.
GridExportResult writeGridWorkbook(const QAbstractItemModel& grid, const QSet<int>& hiddenColumns,
                                   const QString& path, const QString& title, const QString& maker,
                                   QDate date);

// The cell text of one grid value.
QString gridCellText(const QVariant& value);

}  // namespace mc
