#include "system_settings.h"

#include "database.h"
#include "globals.h"
#include "settings_cache.h"
#include "settings_table.h"
#include "utils/editcheck.h"
#include "utils/inifile.h"
#include "utils/password.h"
#include "utils/sysset.h"
#include "utils/textchecks.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <functional>
#include <optional>
#include <vector>

namespace mc {

namespace {

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
    int max;                   // 0: no range; else the field holds 0 to max
    const char* rangeCaption;  // the caption of checkIntText's message, or nullptr with…
    const char* rangeMessage;  // …the message of a number outside the range
};

const std::vector<FieldCheck>& fieldChecks()
{
    const auto always = [](const SettingsForm&) { return true; };
    static const std::vector<FieldCheck> checks = {
        {[](const SettingsForm& f) { return f.srtx; }, &SettingsForm::txdays, "txdays",
         "启用生日提醒必须录入提前提醒天数", nullptr, "生日提醒提前天数录入错误，必须是整数", true, 0, nullptr, nullptr},
        {[](const SettingsForm& f) { return f.dqtx; }, &SettingsForm::dqtxday, "dqtxday",
         "启用到期提醒必须录入提前提醒天数", nullptr, "到期提醒提前天数录入错误，必须是整数", true, 0, nullptr, nullptr},
        {[](const SettingsForm& f) { return f.yetx; }, &SettingsForm::yetxje, "yetxje",
         "启用余额提醒必须录入提醒的金额", nullptr, "余额提醒的金额录入错误，必须是数字", false, 0, nullptr, nullptr},
        {[](const SettingsForm& f) { return f.xfdyxp || f.zcdyxp || f.xkdyxp; }, &SettingsForm::dyys, "dyys",
         "启用小票打印必须打印份数", nullptr, "打印份数录入错误，必须是整数", true, 0, nullptr, nullptr},
        // Amounts are kept to four decimals, so rounding to more would promise what is not stored.
        {always, &SettingsForm::jeblxs, "jeblxs", "消费金额保留小数位数必须录入", nullptr,
         "消费金额保留小数位数录入错误，必须是整数", true, 4, nullptr, "消费金额保留小数位数应在0到4之间"},
        {always, &SettingsForm::xfqkh, "xfqkh", nullptr, "0", "小票前空行录入错误，必须是整数", true, 0, nullptr, nullptr},
        {always, &SettingsForm::xfhkh, "xfhkh", nullptr, "0", "小票后空行录入错误，必须是整数", true, 0, nullptr, nullptr},
        // The digits of numbers stored in ten characters.
        {always, &SettingsForm::memberws, "memberws", nullptr, "8", "会员编号位数错误，必须是整数", true, 10,
         "会员编号位数", nullptr},
        {always, &SettingsForm::ygws, "ygws", nullptr, "8", "员工编号位数错误，必须是整数", true, 10, "员工编号位数",
         nullptr},
        {[](const SettingsForm& f) { return f.usejftx; }, &SettingsForm::jftx, "jftx", "积分提醒必须设置积分",
         nullptr, "积分提醒积分设置不正确", true, 0, nullptr, nullptr},
    };
    return checks;
}

// The range check of a field that passed the number check; nothing when it is in range.
std::optional<QString> outOfRange(const FieldCheck& c, const QString& text)
{
    if (c.max <= 0)
        return std::nullopt;
    if (c.rangeMessage) {
        const int n = text.trimmed().toInt();
        if (n < 0 || n > c.max)
            return QString::fromUtf8(c.rangeMessage);
        return std::nullopt;
    }
    const EditCheck range = checkIntText(text, QString::fromUtf8(c.rangeCaption), 0, c.max);
    return range.accepted() ? std::nullopt : std::optional<QString>(range.message);
}

void ensureRow(const QSqlDatabase& db)
{
    if (!db::scalar(db, QStringLiteral("select pid from sysset order by pid")).isValid())
        db::exec(db, QStringLiteral("insert into sysset(memberws) values(?)"), {8});
}

void writeIni(IniFile& ini, const SettingsForm& f)
{
    for (const Setting& s : settingsTable()) {
        const QString section = iniSection(s);
        if (section.isEmpty())
            continue;
        const QString key = QLatin1String(s.key);
        if (const auto* flag = std::get_if<bool SettingsForm::*>(&s.form)) {
            ini.setValue(section, key, bit(f.**flag));
        } else if (const auto* text = std::get_if<QString SettingsForm::*>(&s.form)) {
            // The placeholder left as it is keeps the stored password.
            if (s.kind != SettingKind::Password)
                ini.setValue(section, key, f.**text);
            else if (f.**text != passwordPlaceholder)
                ini.setValue(section, key, encodepwd(f.**text));
        }
    }
}

void writeRow(const QSqlDatabase& db, const SettingsForm& f)
{
    QStringList assignments;
    QVariantList values;
    for (const Setting& s : settingsTable()) {
        if (s.place != SettingPlace::Row)
            continue;
        if (const auto* flag = std::get_if<bool SettingsForm::*>(&s.form)) {
            values << f.**flag;
        } else if (const auto* text = std::get_if<QString SettingsForm::*>(&s.form)) {
            const QString& t = f.**text;
            if (s.kind != SettingKind::Whole)
                values << t;
            else if (isWhole(t))
                values << t.trimmed().toInt();
            else
                continue;  // checked only when used (the copies, when a receipt is printed): the stored number stays
        } else {
            continue;
        }
        // The column names come from the settings table, never from input.
        assignments << QLatin1String(s.key) + QStringLiteral(" = ?");
    }
    values << f.rowId;
    db::exec(db, QStringLiteral("update sysset set %1 where pid = ?").arg(assignments.join(u", ")), values);
}

// The cache after a save: what is now stored, but for the settings used only from the next
// start; and the receipt texts, which are kept nowhere else.
void refreshSettingsCache(const QSqlDatabase& db, const SettingsForm& f)
{
    cacheStoredSettings(readStoredSettings(db), settings, true);
    backupPath = settings.autobppath;
    for (const Setting& s : settingsTable()) {
        if (s.place != SettingPlace::Nowhere)
            continue;
        settings.*std::get<QString SettingsCache::*>(s.cache) = f.*std::get<QString SettingsForm::*>(s.form);
    }
}

}  // namespace

SettingsForm loadSettingsForm(const QSqlDatabase& db)
{
    ensureRow(db);
    const StoredSettings stored = readStoredSettings(db);
    SettingsForm f;
    f.rowId = stored.rowId;
    for (const Setting& s : settingsTable()) {
        const QVariant v = stored.values.value(QLatin1String(s.key));
        if (const auto* flag = std::get_if<bool SettingsForm::*>(&s.form)) {
            f.**flag = storedFlag(s, v);
        } else if (const auto* text = std::get_if<QString SettingsForm::*>(&s.form)) {
            QString value = s.place == SettingPlace::Nowhere ? settings.*std::get<QString SettingsCache::*>(s.cache)
                                                             : v.toString();
            if (s.kind == SettingKind::Password)
                value = passwordPlaceholder;
            else if (value.isEmpty())
                value = QString::fromUtf8(s.shownWhenEmpty);
            f.**text = value;
        }
    }
    return f;
}

Done checkSettingsForm(SettingsForm& form)
{
    for (const FieldCheck& c : fieldChecks()) {
        if (!c.applies(form))
            continue;
        QString& text = form.*c.field;
        const QString field = QLatin1String(c.name);
        if (text.trimmed().isEmpty()) {
            if (c.emptyMessage)
                return Done::failure(QString::fromUtf8(c.emptyMessage), field);
            text = QString::fromUtf8(c.emptyDefault);
            continue;
        }
        if (c.wholeNumber ? !isWhole(text) : !isnumber(text))
            return Done::failure(QString::fromUtf8(c.badMessage), field);
        if (const auto message = outOfRange(c, text))
            return Done::failure(*message, field);
    }
    return Done::success();
}

Done saveSettingsForm(const QSqlDatabase& db, const SettingsForm& form)
{
    try {
        writeRow(db, form);
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    IniFile ini = IniFile::load(syssetPath());
    writeIni(ini, form);
    if (!ini.save(syssetPath()))
        return Done::failure(QStringLiteral("出现错误，无法保存\n无法写入 ") + QDir::toNativeSeparators(syssetPath()));
    try {
        refreshSettingsCache(db, form);
    } catch (const db::DbError& e) {
        // Saved, but not read back: the cache catches up at the next start.
        return Done::failure(e.message());
    }
    return Done::success({}, QStringLiteral("保存完成"));
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
