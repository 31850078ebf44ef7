#include "value_format.h"

#include "database.h"
#include "utils/decimaltext.h"

#include <QDateTime>
#include <QLocale>


namespace mc::reports {

namespace {

bool isDateFormat(const QString& format)
{
    if (format.contains(u'0') || format.contains(u'#'))
        return false;
    for (QChar c : format)
        if (QStringLiteral("ymdhns").contains(c.toLower()))
            return true;
    return false;
}

// Translates the date letters to those of QDateTime::toString; everything else is quoted.
QString qtDateFormat(const QString& format)
{
    QString out;
    bool afterHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c)
            ++run;
        i += run;
        switch (c.unicode()) {
        case 'y': out += QString(run >= 3 ? 4 : 2, u'y'); afterHour = false; break;
        case 'm': out += QString(run, afterHour ? u'm' : u'M'); afterHour = false; break;
        case 'd': out += QString(run, u'd'); afterHour = false; break;
        case 'h': out += QString(run, u'h'); afterHour = true; break;
        case 'n': out += QString(run, u'm'); afterHour = false; break;
        case 's': out += QString(run, u's'); afterHour = false; break;
        default:
            if (c.isLetter() || c == u'\'')
                out += u'\'' + QString(run, format[i - 1]).replace(u'\'', QStringLiteral("''")) + u'\'';
            else
                out += QString(run, format[i - 1]);
        }
    }
    return out;
}

QString plainText(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QLatin1String(db::canonicalFormat));
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return v.toString();
    }
}

}  // namespace

QString formatNumber(double value, const QString& format)
{
    const qsizetype point = format.indexOf(u'.');
    int decimals = 0;
    int optional = 0;
    if (point >= 0) {
        for (qsizetype i = point + 1; i < format.size(); ++i) {
            if (format[i] == u'0') ++decimals;
            else if (format[i] == u'#') ++optional;
            else break;
        }
    }
    QString text = fixedText(value, decimals + optional);
    if (optional > 0) {
        while (text.endsWith(u'0') && text.size() - text.indexOf(u'.') - 1 > decimals)
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (format.contains(u',')) {
        const qsizetype dot = text.indexOf(u'.');
        qsizetype end = dot < 0 ? text.size() : dot;
        const qsizetype start = text.startsWith(u'-') ? 1 : 0;
        for (qsizetype i = end - 3; i > start; i -= 3)
            text.insert(i, u',');
    }
    return text;
}

QString formatValue(const QVariant& value, const QString& format)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (format.isEmpty())
        return plainText(value);
    if (isDateFormat(format)) {
        const QDateTime dt = db::toDateTime(value);
        return dt.isValid() ? dt.toString(qtDateFormat(format)) : plainText(value);
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || value.metaType().id() == QMetaType::Bool)
        return plainText(value);
    return formatNumber(d, format);
}

}  // namespace mc::reports
