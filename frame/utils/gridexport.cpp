#include "utils/gridexport.h"

#include "utils/decimaltext.h"
#include "utils/gbk.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

namespace mc {

namespace {

constexpr lxw_col_t kLastMergedColumn = 8;  // column I

// Column widths in Excel's character units; a double-byte character is two wide.
class ColumnWidths {
public:
    void fit(lxw_col_t column, const QString& text)
    {
        double& w = widths_[column];
        w = qMax(w, static_cast<double>(toGbk(text).size()) + 2);
    }
    void apply(lxw_worksheet* sheet) const
    {
        for (const auto& [column, width] : widths_)
            worksheet_set_column(sheet, column, column, qMax(width, 8.0), nullptr);
    }

private:
    std::map<lxw_col_t, double> widths_;
};

class SheetWriter {
public:
    explicit SheetWriter(const QString& path)
        : book_(workbook_new(QFile::encodeName(path).constData()))
    {
        if (!book_)
            return;
        sheet_ = workbook_add_worksheet(book_, nullptr);
        title_ = workbook_add_format(book_);
        format_set_font_size(title_, 14);
        body_ = workbook_add_format(book_);
        format_set_font_size(body_, 10);
    }
    ~SheetWriter()
    {
        if (book_)
            workbook_close(book_);
    }
    SheetWriter(const SheetWriter&) = delete;
    SheetWriter& operator=(const SheetWriter&) = delete;

    bool started() const { return sheet_ != nullptr; }

    void merged(lxw_row_t row, const QString& text, bool isTitle)
    {
        worksheet_merge_range(sheet_, row, 0, row, kLastMergedColumn, text.toUtf8().constData(),
                              isTitle ? title_ : body_);
    }

    void cell(lxw_row_t row, lxw_col_t column, const QString& text)
    {
        worksheet_write_string(sheet_, row, column, text.toUtf8().constData(), body_);
        widths_.fit(column, text);
    }

    // Writes the file; libxlsxwriter only touches the disk here, so this is where failures show.
    QString finish()
    {
        widths_.apply(sheet_);
        const lxw_error err = workbook_close(book_);
        book_ = nullptr;
        return err == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(err));
    }

private:
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* title_ = nullptr;
    lxw_format* body_ = nullptr;
    ColumnWidths widths_;
};

void fillSheet(SheetWriter& out, const QAbstractItemModel& grid, const QSet<int>& hidden,
               const QString& title, const QString& maker, QDate date)
{
    out.merged(0, title, true);
    out.merged(1, QString(), false);
    const int columns = grid.columnCount();
    for (int c = 0; c < columns; ++c)
        if (!hidden.contains(c))
            out.cell(2, static_cast<lxw_col_t>(c), grid.headerData(c, Qt::Horizontal).toString());

    const int rows = grid.rowCount();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (!hidden.contains(c))
                out.cell(static_cast<lxw_row_t>(3 + r), static_cast<lxw_col_t>(c),
                         gridCellText(grid.data(grid.index(r, c))));

    out.merged(static_cast<lxw_row_t>(3 + rows + 1),
               QStringLiteral("制单人：") + maker + QStringLiteral("  制单日期：")
                   + date.toString(QStringLiteral("yyyy-MM-dd")),
               false);
}

}  // namespace

QString gridCellText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return fixedText(value.toDouble(), 2);
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    default:
        return value.toString();
    }
}

GridExportResult writeGridWorkbook(const QAbstractItemModel& grid, const QSet<int>& hiddenColumns,
                                   const QString& path, const QString& title, const QString& maker,
                                   QDate date)
{
    // Write beside the target and rename over it, so a failure never destroys an older file.
    QTemporaryFile part(QFileInfo(path).absolutePath() + QStringLiteral("/.export-XXXXXX.xlsx"));
    if (!part.open())
        return {false, part.errorString()};
    part.close();

    QString error;
    {
        SheetWriter out(part.fileName());
        if (!out.started())
            return {false, QStringLiteral("cannot create workbook")};
        fillSheet(out, grid, hiddenColumns, title, maker, date);
        error = out.finish();
    }
    if (!error.isEmpty())
        return {false, error};
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return {false, QString::fromLocal8Bit(std::strerror(errno))};
    part.setAutoRemove(false);
    return {true, {}};
}

}  // namespace mc
