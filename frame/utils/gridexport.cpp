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

    void number(lxw_row_t row, lxw_col_t column, const GridNumber& n)
    {
        worksheet_write_number(sheet_, row, column, n.value, numberFormat(n.decimals));
        widths_.fit(column, fixedText(n.value, n.decimals));
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
    std::map<int, lxw_format*> numberFormats_;
    ColumnWidths widths_;

    // "0", "0.00" …: the body font with that many decimals.
    lxw_format* numberFormat(int decimals)
    {
        lxw_format*& f = numberFormats_[decimals];
        if (!f) {
            f = workbook_add_format(book_);
            format_set_font_size(f, 10);
            const QByteArray pattern = decimals > 0 ? "0." + QByteArray(decimals, '0') : QByteArray("0");
            format_set_num_format(f, pattern.constData());
        }
        return f;
    }
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
        for (int c = 0; c < columns; ++c) {
            if (hidden.contains(c))
                continue;
            const QModelIndex index = grid.index(r, c);
            const QVariant display = grid.data(index);
            const auto row = static_cast<lxw_row_t>(3 + r);
            const auto column = static_cast<lxw_col_t>(c);
            if (const auto n = gridCellNumber(display, grid.data(index, Qt::EditRole)))
                out.number(row, column, *n);
            else
                out.cell(row, column, gridCellText(display));
        }

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

namespace {

bool isNumberType(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

}  // namespace

std::optional<GridNumber> gridCellNumber(const QVariant& display, const QVariant& edit)
{
    if (isNumberType(display)) {
        const bool whole = display.typeId() != QMetaType::Double && display.typeId() != QMetaType::Float;
        const int decimals = whole ? 0 : 2;
        return GridNumber{fixedText(display.toDouble(), decimals).toDouble(), decimals};
    }
    // A grid that formats its numbers shows text ("12.50") over a number it edits; the text
    // says how many decimals, and must read as that number (a code "0001" over a text does not).
    if (!isNumberType(edit) || display.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = display.toString().trimmed();
    bool ok = false;
    const double shown = text.toDouble(&ok);
    const bool leadingZero = text.size() > 1 && text[0] == u'0' && text[1] != u'.';
    if (!ok || leadingZero)
        return std::nullopt;
    const qsizetype point = text.indexOf(u'.');
    return GridNumber{shown, point < 0 ? 0 : int(text.size() - point - 1)};
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
