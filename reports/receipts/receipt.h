#pragma once
// The frame every receipt shares: blank lines, titles, footers and copies, the bytes a POS
// printer receives, and what an ordinary printer does with a receipt template. Each receipt
// window supplies its own body lines.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mc {
struct SettingsCache;
}

namespace mc::receipts {

struct ReceiptSettings {
    int printerKind = 2;   // receiptPrinterKind: 1 POS printer, 2 ordinary printer
    QString title1;        // receiptTitle1, receiptTitle2
    QString title2;
    QString footer1;       // receiptFooter1, receiptFooter2
    QString footer2;
    int copies = 1;        // dyys
    int blankBefore = 0;   // xfqkh
    int blankAfter = 0;    // xfhkh
    bool autoprint = false;
    QString printerName;   // xpprint: the ordinary printer receipts go to, empty for the default
    QString posTarget;     // the POS printer: a device path or "queue:NAME"; empty: configuredPosTarget()
};

// The receipt settings of the settings cache, and the workstation's receipt printer (key
// "xpprint" of section "sys" in sysset.ini).
ReceiptSettings receiptSettings(const SettingsCache& cache);

// One copy: `blankBefore` + 1 empty lines, the titles that are not empty, the body, the
// footers that are not empty, `blankAfter` + 1 empty lines. Negative counts count as 0.
QStringList receiptCopy(const ReceiptSettings& settings, const QStringList& body);
// Every copy one after the other; nothing at all when `copies` is 0 or less.
QStringList receiptLines(const ReceiptSettings& settings, const QStringList& body);

// The lines as the printer takes them: GBK, each ended by CR LF. Characters GBK lacks become "?".
QByteArray posBytes(const QStringList& lines);
// Width in printer columns: the length of the GBK bytes (a Chinese character takes two).
int printWidth(const QString& text);
// Pads on the left to `width` printer columns; longer texts stay whole.
QString padLeft(const QString& text, int width);

// What an ordinary printer does with a receipt template.
struct OrdinaryPlan {
    bool preview = false;  // show the preview instead of printing
    int copies = 0;        // printed without a dialog when not previewing
};
OrdinaryPlan ordinaryPlan(const ReceiptSettings& settings);

}  // namespace mc::receipts
