#include "receipt.h"

#include "settings/settings_cache.h"
#include "utils/gbk.h"
#include "utils/sysset.h"

#include <algorithm>

namespace mc::receipts {

ReceiptSettings receiptSettings(const SettingsCache& cache)
{
    ReceiptSettings s;
    s.printerKind = cache.receiptPrinterKind;
    s.title1 = cache.receiptTitle1;
    s.title2 = cache.receiptTitle2;
    s.footer1 = cache.receiptFooter1;
    s.footer2 = cache.receiptFooter2;
    s.copies = cache.dyys;
    s.blankBefore = cache.xfqkh;
    s.blankAfter = cache.xfhkh;
    s.autoprint = cache.autoprint;
    s.printerName = readstr(QStringLiteral("sys"), QStringLiteral("xpprint"));
    return s;
}

QStringList receiptCopy(const ReceiptSettings& s, const QStringList& body)
{
    QStringList lines;
    auto blanks = [&](int n) {
        for (int i = 0; i < std::max(0, n) + 1; ++i)
            lines << QString();
    };
    auto ifSet = [&](const QString& text) {
        if (!text.isEmpty())
            lines << text;
    };
    blanks(s.blankBefore);
    ifSet(s.title1);
    ifSet(s.title2);
    lines << body;
    ifSet(s.footer1);
    ifSet(s.footer2);
    blanks(s.blankAfter);
    return lines;
}

QStringList receiptLines(const ReceiptSettings& s, const QStringList& body)
{
    QStringList lines;
    const QStringList copy = receiptCopy(s, body);
    for (int i = 0; i < s.copies; ++i)
        lines << copy;
    return lines;
}

QByteArray posBytes(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines)
        out += toGbk(line) + "\r\n";
    return out;
}

int printWidth(const QString& text)
{
    return int(toGbk(text).size());
}

QString padLeft(const QString& text, int width)
{
    const int missing = width - printWidth(text);
    return missing > 0 ? QString(missing, u' ') + text : text;
}

OrdinaryPlan ordinaryPlan(const ReceiptSettings& s)
{
    if (!s.autoprint)
        return {true, 0};
    return {false, std::max(0, s.copies)};
}

}  // namespace mc::receipts
