#pragma once
// `toexcel`: asks for a file and exports a grid in the report layout (utils/gridexport.h).

#include <QString>

class QAbstractItemView;
class QAbstractItemModel;

namespace mc {

// The view tells which columns are hidden; its model supplies titles and rows.
void toexcel(QAbstractItemView* grid, const QString& filename, const QString& title, const QString& maker);

// Writes the workbook to `path` and shows "数据成功导出", or the reason it was not written.
// Returns whether the file was written.
bool exportGrid(QAbstractItemView* grid, const QString& path, const QString& title, const QString& maker);

}  // namespace mc
