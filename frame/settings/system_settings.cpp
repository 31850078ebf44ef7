#include "system_settings.h"

#include "database.h"
#include "globals.h"
#include "settings_cache.h"
#include "transaction.h"
#include "utils/editcheck.h"
#include "utils/inifile.h"
#include "utils/password.h"
#include "utils/sysset.h"
#include "utils/textchecks.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <functional>
#include <vector>

namespace mc {

namespace {

const QString sys = QStringLiteral("sys");
const QString smsset = QStringLiteral("smsset");

QString orDefault(const QString& text, const char* fallback)
{
    return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// isint, and small enough to be stored as a whole number.
bool isWhole(const QString& text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return isint(text) && ok;
}

struct FieldCheck {
    std::function<bool(const SettingsForm&)> applies;
    QString SettingsForm::*field;
    const char* name;
    const char* emptyMessage;  // nullptr: an empty field takes `emptyDefault`
    const char* emptyDefault;
    const char* badMessage;
    bool wholeNumber;          // else any number
    int max;                   // 0: no range; the digits of numbers stored in ten characters
    const char* rangeCaption;
};

const std::vector<FieldCheck>& fieldChecks()
{
    const auto always = [](const SettingsForm&) { return true; };
    static const std::vector<FieldCheck> checks = {
        {[](const SettingsForm& f) { return f.srtx; }, &SettingsForm::txdays, "txdays",
         "启用生日提醒必须录入提前提醒天数", nullptr, "生日提醒提前天数录入错误，必须是整数", true, 0, nullptr},
        {[](const SettingsForm& f) { return f.dqtx; }, &SettingsForm::dqtxday, "dqtxday",
         "启用到期提醒必须录入提前提醒天数", nullptr, "到期提醒提前天数录入错误，必须是整数", true, 0, nullptr},
        {[](const SettingsForm& f) { return f.yetx; }, &SettingsForm::yetxje, "yetxje",
         "启用余额提醒必须录入提醒的金额", nullptr, "余额提醒的金额录入错误，必须是数字", false, 0, nullptr},
        {[](const SettingsForm& f) { return f.xfdyxp || f.zcdyxp || f.xkdyxp; }, &SettingsForm::dyys, "dyys",
         "启用小票打印必须打印份数", nullptr, "打印份数录入错误，必须是整数", true, 0, nullptr},
        {always, &SettingsForm::jeblxs, "jeblxs", "消费金额保留小数位数必须录入", nullptr,
         "消费金额保留小数位数录入错误，必须是整数", true, 0, nullptr},
        {always, &SettingsForm::xfqkh, "xfqkh", nullptr, "0", "小票前空行录入错误，必须是整数", true, 0, nullptr},
        {always, &SettingsForm::xfhkh, "xfhkh", nullptr, "0", "小票后空行录入错误，必须是整数", true, 0, nullptr},
        {always, &SettingsForm::memberws, "memberws", nullptr, "8", "会员编号位数错误，必须是整数", true, 10,
         "会员编号位数"},
        {always, &SettingsForm::ygws, "ygws", nullptr, "8", "员工编号位数错误，必须是整数", true, 10, "员工编号位数"},
        {[](const SettingsForm& f) { return f.usejftx; }, &SettingsForm::jftx, "jftx", "积分提醒必须设置积分",
         nullptr, "积分提醒积分设置不正确", true, 0, nullptr},
    };
    return checks;
}

void ensureRow(const QSqlDatabase& db)
{
    if (!db::scalar(db, QStringLiteral("select pid from sysset order by pid")).isValid())
        db::exec(db, QStringLiteral("insert into sysset(memberws) values(?)"), {8});
}

void writeIni(IniFile& ini, const SettingsForm& f)
{
    const QList<QPair<const char*, QString>> sysValues = {
        {"useime", f.useime},          {"srtx", bit(f.srtx)},       {"txdays", f.txdays},
        {"dqtx", bit(f.dqtx)},         {"dqtxday", f.dqtxday},      {"yetx", bit(f.yetx)},
        {"yetxje", f.yetxje},          {"sjtx", bit(f.sjtx)},       {"usejftx", bit(f.usejftx)},
        {"jftx", f.jftx},              {"xpprintmode", f.xpprintmode}, {"xpprint", f.xpprint},
        {"xfqkh", f.xfqkh},            {"xfhkh", f.xfhkh},          {"autoprint", bit(f.autoprint)},
        {"usetm", bit(f.usetm)},
    };
    for (const auto& [key, value] : sysValues)
        ini.setValue(sys, QLatin1String(key), value);
    const QList<QPair<const char*, QString>> smsValues = {
        {"smswebfs", bit(f.smswebfs)}, {"smsport", f.smsport}, {"smssv", f.smssv},
        {"xltdx", f.xltdx},            {"smswg", f.smswg},     {"loadzh", f.loadzh},
    };
    for (const auto& [key, value] : smsValues)
        ini.setValue(smsset, QLatin1String(key), value);
    // The placeholder left as it is keeps the stored password.
    if (f.loadmm != passwordPlaceholder)
        ini.setValue(smsset, QStringLiteral("loadmm"), encodepwd(f.loadmm));
}

void writeRow(const QSqlDatabase& db, const SettingsForm& f)
{
    db::Transaction t(db);
    db::exec(db, QStringLiteral(
        "update sysset set dwname = ?, autobppath = ?, memberws = ?, ygws = ?, xfdyxp = ?, zcdyxp = ?, "
        "xkdyxp = ?, jfkfhck = ?, jdms = ?, kcwlxf = ?, jeblxs = ?, xfsuseyg = ?, yxxgzk = ?, "
        "xfbxxzclass = ?, xxxgspjg = ?, mrxfclass = ?, membersrsend = ?, membersrsendxx = ? where pid = ?"),
        {f.dwname, f.autobppath, f.memberws.trimmed().toInt(), f.ygws.trimmed().toInt(), f.xfdyxp, f.zcdyxp,
         f.xkdyxp, f.jfkfhck, f.jdms, f.kcwlxf, f.jeblxs.trimmed().toInt(), f.xfsuseyg, f.yxxgzk,
         f.xfbxxzclass, f.xxxgspjg, f.mrxfclass, f.membersrsend, f.membersrsendxx, f.rowId});
    // The copies are checked only when a receipt is printed; other text leaves the stored number.
    if (isWhole(f.dyys))
        db::exec(db, QStringLiteral("update sysset set dyys = ? where pid = ?"), {f.dyys.trimmed().toInt(), f.rowId});
    t.commit();
}

}  // namespace

SettingsForm loadSettingsForm(const QSqlDatabase& db)
{
    ensureRow(db);
    SettingsForm f;
    QSqlQuery q = db::exec(db, QStringLiteral(
        "select pid, dwname, autobppath, memberws, ygws, xfdyxp, zcdyxp, xkdyxp, dyys, jfkfhck, jdms, kcwlxf, "
        "jeblxs, xfsuseyg, yxxgzk, xfbxxzclass, xxxgspjg, mrxfclass, membersrsend, membersrsendxx "
        "from sysset order by pid"));
    q.next();
    f.rowId = q.value(0).toInt();
    f.dwname = q.value(1).toString();
    f.autobppath = q.value(2).toString();
    f.memberws = q.value(3).toString();
    f.ygws = q.value(4).toString();
    f.xfdyxp = q.value(5).toBool();
    f.zcdyxp = q.value(6).toBool();
    f.xkdyxp = q.value(7).toBool();
    f.dyys = q.value(8).toString();
    f.jfkfhck = q.value(9).toBool();
    f.jdms = q.value(10).toBool();
    f.kcwlxf = q.value(11).toBool();
    f.jeblxs = q.value(12).toString();
    f.xfsuseyg = q.value(13).toBool();
    f.yxxgzk = q.value(14).toBool();
    f.xfbxxzclass = q.value(15).toBool();
    f.xxxgspjg = q.value(16).toBool();
    f.mrxfclass = q.value(17).toString();
    f.membersrsend = q.value(18).toBool();
    f.membersrsendxx = q.value(19).toString();

    const IniFile ini = IniFile::load(syssetPath());
    const auto str = [&ini](const QString& section, const char* key) {
        return ini.value(section, QLatin1String(key)).value_or(QString());
    };
    const auto flag = [&str](const QString& section, const char* key) { return boolText(str(section, key)); };
    f.useime = str(sys, "useime");
    f.srtx = flag(sys, "srtx");
    f.txdays = orDefault(str(sys, "txdays"), "1");
    f.dqtx = flag(sys, "dqtx");
    f.dqtxday = str(sys, "dqtxday");
    f.yetx = flag(sys, "yetx");
    f.yetxje = orDefault(str(sys, "yetxje"), "10");
    f.sjtx = flag(sys, "sjtx");
    f.usejftx = flag(sys, "usejftx");
    f.jftx = orDefault(str(sys, "jftx"), "18");
    // The cache takes an empty mode for the ordinary printer, so the list says so too.
    f.xpprintmode = orDefault(str(sys, "xpprintmode"), "普通打印机");
    f.xpprint = str(sys, "xpprint");
    f.xfqkh = orDefault(str(sys, "xfqkh"), "0");
    f.xfhkh = orDefault(str(sys, "xfhkh"), "0");
    f.autoprint = flag(sys, "autoprint");
    f.usetm = flag(sys, "usetm");
    f.smswebfs = flag(smsset, "smswebfs");
    f.smsport = str(smsset, "smsport");
    f.smssv = str(smsset, "smssv");
    f.xltdx = str(smsset, "xltdx");
    f.smswg = str(smsset, "smswg");
    f.loadzh = str(smsset, "loadzh");
    f.loadmm = passwordPlaceholder;

    f.receiptTitle1 = settings.receiptTitle1;
    f.receiptTitle2 = settings.receiptTitle2;
    f.receiptFooter1 = settings.receiptFooter1;
    f.receiptFooter2 = settings.receiptFooter2;
    return f;
}

SettingsCheck checkSettingsForm(SettingsForm& form)
{
    for (const FieldCheck& c : fieldChecks()) {
        if (!c.applies(form))
            continue;
        QString& text = form.*c.field;
        if (text.trimmed().isEmpty()) {
            if (c.emptyMessage)
                return {QString::fromUtf8(c.emptyMessage), QLatin1String(c.name)};
            text = QString::fromUtf8(c.emptyDefault);
            continue;
        }
        if (c.wholeNumber ? !isWhole(text) : !isnumber(text))
            return {QString::fromUtf8(c.badMessage), QLatin1String(c.name)};
        if (c.max > 0) {
            const EditCheck range = checkIntText(text, QString::fromUtf8(c.rangeCaption), 0, c.max);
            if (!range.accepted())
                return {range.message, QLatin1String(c.name)};
        }
    }
    return {};
}

QString saveSettingsForm(const QSqlDatabase& db, const SettingsForm& form)
{
    try {
        writeRow(db, form);
    } catch (const db::DbError& e) {
        return e.saveMessage();
    }
    IniFile ini = IniFile::load(syssetPath());
    writeIni(ini, form);
    if (!ini.save(syssetPath()))
        return QStringLiteral("出现错误，无法保存\n无法写入 ") + QDir::toNativeSeparators(syssetPath());
    refreshSettingsCache(form);
    return {};
}

void refreshSettingsCache(const SettingsForm& f)
{
    SettingsCache& s = settings;
    s.jeblxs = f.jeblxs.trimmed().toInt();
    s.kcwlxf = f.kcwlxf;
    s.xfsuseyg = f.xfsuseyg;
    s.yxxgzk = f.yxxgzk;
    s.jdms = f.jdms;
    s.xfdyxp = f.xfdyxp;
    s.zcdyxp = f.zcdyxp;
    s.xkdyxp = f.xkdyxp;
    s.memberws = f.memberws.trimmed().toInt();
    s.ygws = f.ygws.trimmed().toInt();
    s.xfbxxzclass = f.xfbxxzclass;
    s.mrxfclass = f.mrxfclass;
    if (isWhole(f.dyys))
        s.dyys = f.dyys.trimmed().toInt();
    s.xxxgspjg = f.xxxgspjg;
    s.membersrsend = f.membersrsend;
    backupPath = f.autobppath;

    s.xfqkh = f.xfqkh.trimmed().toInt();
    s.xfhkh = f.xfhkh.trimmed().toInt();
    s.usetm = f.usetm;
    s.srtx = f.srtx;
    s.yetx = f.yetx;
    s.sjtx = f.sjtx;
    s.txdays = f.txdays.trimmed().toInt();
    s.yetxje = f.yetxje.trimmed().toDouble();
    s.xpprintmode = f.xpprintmode;
    s.autoprint = f.autoprint;

    s.receiptPrinterKind = printerKind(f.xpprintmode);
    s.receiptTitle1 = f.receiptTitle1;
    s.receiptTitle2 = f.receiptTitle2;
    s.receiptFooter1 = f.receiptFooter1;
    s.receiptFooter2 = f.receiptFooter2;
}

QStringList serviceTypes(const QSqlDatabase& db)
{
    return db::firstColumn(db, QStringLiteral("select xfclass from xfclass order by pid"));
}

QStringList inputMethods()
{
    QStringList found;
    for (const char* program : {"fcitx5", "fcitx", "ibus-daemon"}) {
        if (!QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
            found << QString::fromLatin1(program).remove(QStringLiteral("-daemon"));
    }
    return found;
}

QStringList printModes()
{
    return {posPrinter, ordinaryPrinter};
}

QStringList modemPorts()
{
    QStringList ports;
    for (int i = 1; i <= 7; ++i)
        ports << QStringLiteral("com%1").arg(i);
    return ports;
}

QString proposedBackupFile(const QString& currentFolder)
{
    QString folder = currentFolder;
    if (folder.isEmpty()) {
        folder = appPath + accountSet + QStringLiteral("bp/");
        QDir().mkpath(folder);
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("autobp.bp");
}

QString chosenBackupFolder(const QString& chosenFile)
{
    return QFileInfo(chosenFile).absolutePath() + u'/';
}

}  // namespace mc
