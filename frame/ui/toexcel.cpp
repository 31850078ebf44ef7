#include "toexcel.h"

#include "globals.h"
#include "utils/gridexport.h"

#include <QAbstractItemView>
#include <QDate>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QTreeView>

namespace mc {

namespace {

QSet<int> hiddenColumns(QAbstractItemView* grid)
{
    auto* table = qobject_cast<QTableView*>(grid);
    auto* tree = qobject_cast<QTreeView*>(grid);
    QSet<int> hidden;
    const int columns = grid->model()->columnCount();
    for (int c = 0; c < columns; ++c)
        if ((table && table->isColumnHidden(c)) || (tree && tree->isColumnHidden(c)))
            hidden.insert(c);
    return hidden;
}

}  // namespace

bool exportModel(QWidget* window, const QAbstractItemModel& model, const QSet<int>& hiddenColumns,
                 const QHash<int, QString>& numberFormats, const QString& path, const QString& title,
                 const QString& maker)
{
    QString target = path;
    if (!target.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        target += QStringLiteral(".xlsx");
    const GridExportResult r =
        writeGridWorkbook(model, hiddenColumns, target, title, maker, QDate::currentDate(), numberFormats);
    if (r.ok)
        QMessageBox::information(window, window->windowTitle(), QStringLiteral("数据成功导出"));
    else
        QMessageBox::warning(window, window->windowTitle(), QStringLiteral("数据导出失败: ") + r.error);
    return r.ok;
}

bool exportGrid(QAbstractItemView* grid, const QString& path, const QString& title, const QString& maker)
{
    return exportModel(grid->window(), *grid->model(), hiddenColumns(grid), {}, path, title, maker);
}

QString askExportPath(QWidget* window, const QString& filename)
{
    return QFileDialog::getSaveFileName(window, QString(), appPath + filename, QStringLiteral("excel files (*.xlsx)"));
}

void toexcel(QAbstractItemView* grid, const QString& filename, const QString& title, const QString& maker)
{
    const QString path = askExportPath(grid->window(), filename);
    if (path.isEmpty())
        return;
    exportGrid(grid, path, title, maker);
}

}  // namespace mc
