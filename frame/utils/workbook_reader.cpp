#include "utils/workbook_reader.h"

#include <QFile>
#include <QXmlStreamReader>

#include <minizip/unzip.h>

#include <freexl.h>

#include <optional>
#include <vector>

namespace mc {

// Fills a reader from either format; a friend so the reader keeps a read-only interface.
class WorkbookFill {
public:
    explicit WorkbookFill(WorkbookReader& reader) : reader_(reader) {}

    WorkbookReader::OpenResult xlsx(const QString& path);
    WorkbookReader::OpenResult xls(const QString& path);

private:
    WorkbookReader& reader_;
};

namespace {

using Result = WorkbookReader::OpenResult;

quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

// A number as a general cell shows it: no trailing zeros, no exponent for everyday values.
QString numberText(double value) { return QString::number(value, 'g', 15); }

// An open .xlsx package. The same minizip that writes our exports reads them.
class ZipPackage {
public:
    explicit ZipPackage(const QString& path) : zip_(unzOpen64(QFile::encodeName(path).constData())) {}
    ~ZipPackage()
    {
        if (zip_)
            unzClose(zip_);
    }
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    bool isOpen() const { return zip_ != nullptr; }

    // The bytes of one entry; nothing when it is missing, damaged or implausibly large.
    std::optional<QByteArray> entry(const QString& name) const
    {
        constexpr qsizetype kLimit = 256 * 1024 * 1024;
        if (!zip_ || unzLocateFile(zip_, name.toUtf8().constData(), 2 /* any letter case */) != UNZ_OK
            || unzOpenCurrentFile(zip_) != UNZ_OK)
            return std::nullopt;
        QByteArray bytes;
        char chunk[16384];
        int n = 0;
        while ((n = unzReadCurrentFile(zip_, chunk, sizeof chunk)) > 0 && bytes.size() < kLimit)
            bytes.append(chunk, n);
        const bool whole = n == 0 && unzCloseCurrentFile(zip_) == UNZ_OK;
        if (n != 0)
            unzCloseCurrentFile(zip_);
        return whole ? std::optional(bytes) : std::nullopt;
    }

private:
    unzFile zip_;
};

// The texts of <si> entries; rich-text runs are joined, phonetic hints (<rPh>) left out.
std::vector<QString> sharedStrings(const QByteArray& xml)
{
    std::vector<QString> strings;
    QXmlStreamReader r(xml);
    int phonetic = 0;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (r.name() == u"si")
                strings.emplace_back();
            else if (r.name() == u"rPh")
                ++phonetic;
            else if (r.name() == u"t" && !phonetic && !strings.empty())
                strings.back() += r.readElementText();
        } else if (r.isEndElement() && r.name() == u"rPh") {
            --phonetic;
        }
    }
    return strings;
}

// "xl/worksheets/sheet1.xml" of the first <sheet> of workbook.xml, through its relationship.
QString firstSheetPath(const QByteArray& workbook, const QByteArray& rels)
{
    QString id;
    QXmlStreamReader w(workbook);
    while (!w.atEnd() && id.isEmpty()) {
        w.readNext();
        if (w.isStartElement() && w.name() == u"sheet")
            for (const QXmlStreamAttribute& a : w.attributes())
                if (a.name() == u"id")
                    id = a.value().toString();
    }
    QXmlStreamReader r(rels);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"Relationship"
            && r.attributes().value(QLatin1String("Id")) == id) {
            const QString target = r.attributes().value(QLatin1String("Target")).toString();
            return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    return {};
}

// "BC12" -> row 12, column 55.
bool parseReference(QStringView ref, int& row, int& column)
{
    column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i)
        column = column * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
    bool ok = false;
    row = ref.mid(i).toInt(&ok);
    return ok && column > 0 && row > 0;
}

}  // namespace

Result WorkbookFill::xlsx(const QString& path)
{
    const ZipPackage zip(path);
    if (!zip.isOpen())
        return Result::NotWorkbook;
    const auto workbook = zip.entry(QStringLiteral("xl/workbook.xml"));
    const auto rels = zip.entry(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbook || !rels)
        return Result::NotWorkbook;
    const auto sheet = zip.entry(firstSheetPath(*workbook, *rels));
    if (!sheet)
        return Result::NotWorkbook;
    const std::vector<QString> strings = sharedStrings(
        zip.entry(QStringLiteral("xl/sharedStrings.xml")).value_or(QByteArray()));

    QXmlStreamReader r(*sheet);
    int row = 0, column = 0;
    QString type;
    bool inCell = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"c") {
            inCell = parseReference(r.attributes().value(QLatin1String("r")), row, column);
            type = r.attributes().value(QLatin1String("t")).toString();
        } else if (r.isEndElement() && r.name() == u"c") {
            inCell = false;
        } else if (inCell && r.isStartElement() && r.name() == u"v") {
            const QString v = r.readElementText();
            if (type == u"s") {
                const auto index = static_cast<size_t>(v.toLongLong());
                reader_.set(row, column, index < strings.size() ? strings[index] : QString());
            } else if (type == u"b") {
                reader_.set(row, column, v == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
            } else if (type == u"str" || type == u"e") {
                reader_.set(row, column, v);
            } else {
                bool ok = false;
                const double number = v.toDouble(&ok);
                reader_.set(row, column, ok ? numberText(number) : v);
            }
        } else if (inCell && type == u"inlineStr" && r.isStartElement() && r.name() == u"t") {
            reader_.set(row, column, reader_.cell(row, column) + r.readElementText());
        }
    }
    return r.hasError() ? Result::NotWorkbook : Result::Opened;
}

Result WorkbookFill::xls(const QString& path)
{
    const void* handle = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &handle);
    if (opened != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        return opened == FREEXL_INSUFFICIENT_MEMORY ? Result::ReaderFailed : Result::NotWorkbook;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
        freexl_close(handle);
        return Result::NotWorkbook;
    }
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK)
                continue;
            const int row = int(r) + 1, column = int(c) + 1;
            switch (value.type) {
            case FREEXL_CELL_INT:
                reader_.set(row, column, QString::number(value.value.int_value));
                break;
            case FREEXL_CELL_DOUBLE:
                reader_.set(row, column, numberText(value.value.double_value));
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                reader_.set(row, column, QString::fromUtf8(value.value.text_value));
                break;
            default:
                break;
            }
        }
    }
    freexl_close(handle);
    return Result::Opened;
}

void WorkbookReader::set(int row, int column, const QString& text)
{
    if (text.isEmpty())
        return;
    cells_.insert(key(row, column), text);
    lastRow_ = qMax(lastRow_, row);
}

WorkbookReader::OpenResult WorkbookReader::open(const QString& path)
{
    cells_.clear();
    lastRow_ = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OpenResult::NotWorkbook;
    const QByteArray magic = file.read(4);
    file.close();
    WorkbookFill fill(*this);
    OpenResult result = OpenResult::NotWorkbook;
    if (magic == QByteArray("PK\x03\x04", 4))
        result = fill.xlsx(path);
    else if (magic == QByteArray("\xD0\xCF\x11\xE0", 4))
        result = fill.xls(path);
    if (result != OpenResult::Opened) {
        cells_.clear();
        lastRow_ = 0;
    }
    return result;
}

QString WorkbookReader::cell(int row, int column) const
{
    return cells_.value(key(row, column));
}

QString workbookOpenMessage(WorkbookReader::OpenResult result)
{
    switch (result) {
    case WorkbookReader::OpenResult::Opened:
        return {};
    case WorkbookReader::OpenResult::ReaderFailed:
        return QStringLiteral("Excel 没有安装!");
    case WorkbookReader::OpenResult::NotWorkbook:
        break;
    }
    return QStringLiteral("请选择EXCEL电子表格!");
}

}  // namespace mc
