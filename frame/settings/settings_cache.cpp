#include "settings_cache.h"

#include "database.h"
#include "globals.h"
#include "utils/sysset.h"

namespace mc {

namespace {

const QString sys = QStringLiteral("sys");

void readRow(const QSqlDatabase& db, SettingsCache& s)
{
    QSqlQuery q = db::exec(db, QStringLiteral(
        "select jeblxs, kcwlxf, xfsuseyg, yxxgzk, jdms, xfdyxp, zcdyxp, xkdyxp, memberws, ygws, "
        "xfbxxzclass, mrxfclass, dyys, xxxgspjg, autobppath, membersrsend from sysset order by pid"));
    if (!q.next()) {
        // No row yet: the values of the row the settings window would add.
        s.jeblxs = 1;
        s.memberws = 8;
        s.ygws = 8;
        s.xfdyxp = true;
        s.dyys = 1;
        backupPath.clear();
        return;
    }
    s.jeblxs = q.value(0).toInt();
    s.kcwlxf = q.value(1).toBool();
    s.xfsuseyg = q.value(2).toBool();
    s.yxxgzk = q.value(3).toBool();
    s.jdms = q.value(4).toBool();
    s.xfdyxp = q.value(5).toBool();
    s.zcdyxp = q.value(6).toBool();
    s.xkdyxp = q.value(7).toBool();
    s.memberws = q.value(8).toInt();
    s.ygws = q.value(9).toInt();
    s.xfbxxzclass = q.value(10).toBool();
    s.mrxfclass = q.value(11).toString();
    s.dyys = q.value(12).toInt();
    s.xxxgspjg = q.value(13).toBool();
    backupPath = q.value(14).toString();
    s.membersrsend = q.value(15).toBool();
}

void readIni(SettingsCache& s)
{
    s.xfqkh = readint(sys, QStringLiteral("xfqkh"));
    s.xfhkh = readint(sys, QStringLiteral("xfhkh"));
    s.usetm = readbool(sys, QStringLiteral("usetm"));
    s.srtx = readbool(sys, QStringLiteral("srtx"));
    s.yetx = readbool(sys, QStringLiteral("yetx"));
    s.sjtx = readbool(sys, QStringLiteral("sjtx"));
    s.usejftx = readbool(sys, QStringLiteral("usejftx"));
    s.jftx = readint(sys, QStringLiteral("jftx"));
    s.txdays = readint(sys, QStringLiteral("txdays"));
    s.yetxje = readstr(sys, QStringLiteral("yetxje")).trimmed().toDouble();  // not a number: 0
    s.dqtx = readbool(sys, QStringLiteral("dqtx"));
    s.dqtxday = readint(sys, QStringLiteral("dqtxday"));
    s.useime = readstr(sys, QStringLiteral("useime"));
    s.xpprintmode = readstr(sys, QStringLiteral("xpprintmode"));
    s.autoprint = readbool(sys, QStringLiteral("autoprint"));
    s.windowlist = readint(sys, QStringLiteral("windowlist"));
    s.receiptPrinterKind = printerKind(s.xpprintmode);
}

}  // namespace

int printerKind(const QString& xpprintmode)
{
    return xpprintmode == posPrinter ? 1 : 2;
}

void loadSettingsCache(const QSqlDatabase& db)
{
    SettingsCache s;
    // The receipt texts live only in the cache; a reload keeps them.
    s.receiptTitle1 = settings.receiptTitle1;
    s.receiptTitle2 = settings.receiptTitle2;
    s.receiptFooter1 = settings.receiptFooter1;
    s.receiptFooter2 = settings.receiptFooter2;
    readRow(db, s);
    readIni(s);
    settings = s;
}

}  // namespace mc
