#pragma once
// `toexcel`: asks for a file and exports a grid in the report layout (utils/gridexport.h).

#include <QHash>
#include <QSet>
#include <QString>

class QAbstractItemView;
class QAbstractItemModel;
class QWidget;

namespace mc {

// The view tells which columns are hidden; its model supplies titles and rows.
void toexcel(QAbstractItemView* grid, const QString& filename, const QString& title, const QString& maker);

// Writes the workbook to `path` and shows "数据成功导出", or the reason it was not written.
// Returns whether the file was written.
bool exportGrid(QAbstractItemView* grid, const QString& path, const QString& title, const QString& maker);

// The same for any model: `numberFormats` names the columns written as numbers (utils/gridexport.h).
bool exportModel(QWidget* window, const QAbstractItemModel& model, const QSet<int>& hiddenColumns,
                 const QHash<int, QString>& numberFormats, const QString& path, const QString& title,
                 const QString& maker);

// The save dialog of the exports, in the program's folder; empty when cancelled.
QString askExportPath(QWidget* window, const QString& filename);

}  // namespace mc
