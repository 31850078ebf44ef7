#pragma once
// The settings cache: the shared settings of the `sysset` row and the workstation settings of
// sysset.ini, each kept under its column or key name. The main window fills it at start; the
// settings window refreshes most of it when it saves. Windows read settings from here. Which
// setting lives where is described once, in settings_table.h.

#include <QSqlDatabase>
#include <QString>

namespace mc {

struct SettingsCache {
    // sysset
    int jeblxs = 1;  // decimals of amounts, 0–4; the default row's 1 until the row is read
    bool kcwlxf = false;
    bool xfsuseyg = false;
    bool yxxgzk = false;
    bool jdms = false;
    bool xfdyxp = false;
    bool zcdyxp = false;
    bool xkdyxp = false;
    int memberws = 0;
    int ygws = 0;
    bool xfbxxzclass = false;
    QString mrxfclass;
    int dyys = 0;
    bool xxxgspjg = false;
    bool membersrsend = false;
    QString autobppath;  // also in `backupPath`, where the exit backup reads it

    // sysset.ini, section "sys"
    int xfqkh = 0;
    int xfhkh = 0;
    bool usetm = false;
    bool srtx = false;
    bool yetx = false;
    bool sjtx = false;
    bool usejftx = false;
    int jftx = 0;
    int txdays = 0;
    // An amount, so it keeps its decimals: 9.5 must not become 0.
    double yetxje = 0;
    bool dqtx = false;
    int dqtxday = 0;
    QString useime;
    QString xpprintmode;
    bool autoprint = false;
    int windowlist = 0;

    // Derived: 1 POS printer, 2 ordinary printer.
    int receiptPrinterKind = 2;
    // Set only by saving the settings window; empty at every start.
    QString receiptTitle1;
    QString receiptTitle2;
    QString receiptFooter1;
    QString receiptFooter2;
};

inline SettingsCache settings;

inline const QString posPrinter = QStringLiteral("POS打印机");
inline const QString ordinaryPrinter = QStringLiteral("普通打印机");
int printerKind(const QString& xpprintmode);

// Fills `settings` from the account set's `sysset` row (the default row's values when it has
// none) and from sysset.ini, and sets `backupPath`. The receipt texts are left as they are.
// Throws db::DbError.
void loadSettingsCache(const QSqlDatabase& db);

}  // namespace mc
