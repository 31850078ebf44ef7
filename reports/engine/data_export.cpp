#include "data_export.h"

#include "value_format.h"

#include <QSaveFile>

#include <xlsxwriter.h>

namespace mc::reports {

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

bool isNumber(const QVariant& v)
{
    switch (v.metaType().id()) {
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

QString exportCsv(const DataSource& data, const QString& file)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("无法写入文件 ") + file + QStringLiteral(": ") + f.errorString();
    QString text = QString(QChar(0xFEFF));
    auto line = [&](const QStringList& fields) {
        QStringList quoted;
        for (const QString& s : fields)
            quoted << csvField(s);
        text += quoted.join(u',') + QStringLiteral("\r\n");
    };
    line(data.titles());
    for (const QVariantList& row : data.rows()) {
        QStringList fields;
        for (const QVariant& v : row)
            fields << formatValue(v, QString());
        line(fields);
    }
    f.write(text.toUtf8());
    if (!f.commit())
        return QStringLiteral("无法写入文件 ") + file + QStringLiteral(": ") + f.errorString();
    return {};
}

QString exportXlsx(const DataSource& data, const QString& file, const QString& sheetName)
{
    const QByteArray path = file.toUtf8();
    lxw_workbook* book = workbook_new(path.constData());
    if (!book)
        return QStringLiteral("无法写入文件 ") + file;
    const QByteArray sheetTitle = sheetName.left(31).toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(book, sheetTitle.constData());
    // Names with [ ] : * ? / \ are refused; the sheet then keeps the default name.
    if (!sheet)
        sheet = workbook_add_worksheet(book, nullptr);
    if (!sheet) {
        workbook_close(book);
        return QStringLiteral("无法写入文件 ") + file;
    }
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    for (int c = 0; c < data.columns().size(); ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), data.title(c).toUtf8().constData(), bold);
    for (int r = 0; r < data.rowCount(); ++r) {
        const QVariantList& row = data.rows()[r];
        for (int c = 0; c < row.size(); ++c) {
            const QVariant& v = row[c];
            if (v.isNull())
                continue;
            if (isNumber(v))
                worksheet_write_number(sheet, lxw_row_t(r + 1), lxw_col_t(c), v.toDouble(), nullptr);
            else
                worksheet_write_string(sheet, lxw_row_t(r + 1), lxw_col_t(c),
                                       formatValue(v, QString()).toUtf8().constData(), nullptr);
        }
    }
    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR)
        return QStringLiteral("无法写入文件 ") + file + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(result));
    return {};
}

}  // namespace mc::reports
