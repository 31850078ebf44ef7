#pragma once
// The system-settings window without widgets: what each control shows, the checks of a save
// in their order with their messages, the save itself and the cache refresh.

#include "result.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace mc {

// One field per control of the settings window, named after the column or INI key it is
// stored in. Digit edits are kept as the text typed.
struct SettingsForm {
    int rowId = 0;  // sysset.pid of the row being edited

    // 基本设置
    QString useime;
    bool srtx = false;
    QString txdays;
    bool dqtx = false;
    QString dqtxday;
    bool yetx = false;
    QString yetxje;
    bool sjtx = false;
    bool usejftx = false;
    QString jftx;
    QString memberws;
    QString ygws;
    QString dwname;
    QString autobppath;
    QString xpprintmode;
    QString xpprint;
    QString receiptTitle1;
    QString receiptTitle2;
    QString receiptFooter1;
    QString receiptFooter2;
    QString dyys;
    QString xfqkh;
    QString xfhkh;
    bool xfdyxp = false;
    bool zcdyxp = false;
    bool xkdyxp = false;
    bool autoprint = false;

    // 消费设置
    QString jeblxs;
    bool jfkfhck = false;
    bool jdms = false;
    bool kcwlxf = false;
    bool xfsuseyg = false;
    bool yxxgzk = false;
    bool xfbxxzclass = false;
    bool xxxgspjg = false;
    bool usetm = false;
    QString mrxfclass;

    // 短信设置
    bool smswebfs = false;
    QString smsport;
    QString smssv;
    QString xltdx;
    QString smswg;
    QString loadzh;
    QString loadmm;  // the password edit: the placeholder until the operator types a new one
    bool membersrsend = false;
    QString membersrsendxx;
};

// What the password edit shows instead of the stored gateway password.
inline const QString passwordPlaceholder = QStringLiteral("**********");

// Adds the default settings row when `sysset` has none, then reads the row, sysset.ini and
// the cached receipt texts, as the settings table describes them. Empty texts get the defaults
// the window shows. Throws db::DbError.
SettingsForm loadSettingsForm(const QSqlDatabase& db);

// The checks of a save, in order; the first failure is returned with the field to focus.
// Empty fields that have a default (blank lines "0", digits "8") receive it.
Done checkSettingsForm(SettingsForm& form);

// Writes a checked form to the settings row and sysset.ini and refreshes the cache: every
// value but those used only from the next start (`usejftx`, `jftx`, `dqtx`, `dqtxday`,
// `useime`, `windowlist`), plus the receipt texts and printer kind. Done with "保存完成".
Done saveSettingsForm(const QSqlDatabase& db, const SettingsForm& form);

// Lists of the window.
QStringList serviceTypes(const QSqlDatabase& db);  // xfclass.xfclass; throws db::DbError
QStringList inputMethods();                       // the input-method frameworks installed
QStringList printModes();                         // "POS打印机", "普通打印机"
QStringList modemPorts();                         // "com1" … "com7"

// The backup-folder chooser: the file name proposed (the default folder is created when the
// edit is empty), and the folder, ending in "/", of the file picked.
QString proposedBackupFile(const QString& currentFolder);
QString chosenBackupFolder(const QString& chosenFile);

}  // namespace mc
