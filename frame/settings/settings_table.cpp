#include "settings_table.h"

#include "database.h"
#include "utils/inifile.h"
#include "utils/sysset.h"

#include <QStringList>

namespace mc {

namespace {

using F = SettingsForm;
using C = SettingsCache;
using K = SettingKind;
using P = SettingPlace;

// A whole number that does not read as one counts as 0.
int wholeOf(const Setting& s, const QVariant& v)
{
    bool ok = false;
    const int n = iniSection(s).isEmpty() ? v.toInt(&ok) : v.toString().toInt(&ok);
    return ok ? n : 0;
}

}  // namespace

QString iniSection(const Setting& setting)
{
    switch (setting.place) {
    case P::Sys:
        return QStringLiteral("sys");
    case P::SmsSet:
        return QStringLiteral("smsset");
    case P::Row:
    case P::Nowhere:
        break;
    }
    return {};
}

bool storedFlag(const Setting& setting, const QVariant& stored)
{
    return iniSection(setting).isEmpty() ? stored.toBool() : boolText(stored.toString());
}

const std::vector<Setting>& settingsTable()
{
    static const std::vector<Setting> table = {
        // The `sysset` row; the unset values are those of the row the program adds.
        {"dwname", P::Row, K::Text, "", "", &F::dwname},
        {"autobppath", P::Row, K::Text, "", "", &F::autobppath, &C::autobppath},
        {"memberws", P::Row, K::Whole, "8", "", &F::memberws, &C::memberws},
        {"ygws", P::Row, K::Whole, "8", "", &F::ygws, &C::ygws},
        {"xfdyxp", P::Row, K::Flag, "1", "", &F::xfdyxp, &C::xfdyxp},
        {"zcdyxp", P::Row, K::Flag, "0", "", &F::zcdyxp, &C::zcdyxp},
        {"xkdyxp", P::Row, K::Flag, "0", "", &F::xkdyxp, &C::xkdyxp},
        {"dyys", P::Row, K::Whole, "1", "", &F::dyys, &C::dyys},
        {"jfkfhck", P::Row, K::Flag, "0", "", &F::jfkfhck},
        {"jdms", P::Row, K::Flag, "0", "", &F::jdms, &C::jdms},
        {"kcwlxf", P::Row, K::Flag, "0", "", &F::kcwlxf, &C::kcwlxf},
        {"jeblxs", P::Row, K::Whole, "1", "", &F::jeblxs, &C::jeblxs},
        {"xfsuseyg", P::Row, K::Flag, "0", "", &F::xfsuseyg, &C::xfsuseyg},
        {"yxxgzk", P::Row, K::Flag, "0", "", &F::yxxgzk, &C::yxxgzk},
        {"xfbxxzclass", P::Row, K::Flag, "0", "", &F::xfbxxzclass, &C::xfbxxzclass},
        {"xxxgspjg", P::Row, K::Flag, "0", "", &F::xxxgspjg, &C::xxxgspjg},
        {"mrxfclass", P::Row, K::Text, "", "", &F::mrxfclass, &C::mrxfclass},
        {"membersrsend", P::Row, K::Flag, "0", "", &F::membersrsend, &C::membersrsend},
        {"membersrsendxx", P::Row, K::Text, "", "", &F::membersrsendxx},

        // sysset.ini of this workstation.
        {"useime", P::Sys, K::Text, "", "", &F::useime, &C::useime, false},
        {"srtx", P::Sys, K::Flag, "", "", &F::srtx, &C::srtx},
        {"txdays", P::Sys, K::Whole, "", "1", &F::txdays, &C::txdays},
        {"dqtx", P::Sys, K::Flag, "", "", &F::dqtx, &C::dqtx, false},
        {"dqtxday", P::Sys, K::Whole, "", "", &F::dqtxday, &C::dqtxday, false},
        {"yetx", P::Sys, K::Flag, "", "", &F::yetx, &C::yetx},
        {"yetxje", P::Sys, K::Amount, "", "10", &F::yetxje, &C::yetxje},
        {"sjtx", P::Sys, K::Flag, "", "", &F::sjtx, &C::sjtx},
        {"usejftx", P::Sys, K::Flag, "", "", &F::usejftx, &C::usejftx, false},
        {"jftx", P::Sys, K::Whole, "", "18", &F::jftx, &C::jftx, false},
        // The cache takes an empty mode for the ordinary printer, so the window says so too.
        {"xpprintmode", P::Sys, K::Text, "", "普通打印机", &F::xpprintmode, &C::xpprintmode},
        {"xpprint", P::Sys, K::Text, "", "", &F::xpprint},
        {"xfqkh", P::Sys, K::Whole, "", "0", &F::xfqkh, &C::xfqkh},
        {"xfhkh", P::Sys, K::Whole, "", "0", &F::xfhkh, &C::xfhkh},
        {"autoprint", P::Sys, K::Flag, "", "", &F::autoprint, &C::autoprint},
        {"usetm", P::Sys, K::Flag, "", "", &F::usetm, &C::usetm},
        {"windowlist", P::Sys, K::Whole, "", "", {}, &C::windowlist, false},
        {"smswebfs", P::SmsSet, K::Flag, "", "", &F::smswebfs},
        {"smsport", P::SmsSet, K::Text, "", "", &F::smsport},
        {"smssv", P::SmsSet, K::Text, "", "", &F::smssv},
        {"xltdx", P::SmsSet, K::Text, "", "", &F::xltdx},
        {"smswg", P::SmsSet, K::Text, "", "", &F::smswg},
        {"loadzh", P::SmsSet, K::Text, "", "", &F::loadzh},
        {"loadmm", P::SmsSet, K::Password, "", "", &F::loadmm},

        // The receipt texts: set by saving the window, empty at every start.
        {"receiptTitle1", P::Nowhere, K::Text, "", "", &F::receiptTitle1, &C::receiptTitle1},
        {"receiptTitle2", P::Nowhere, K::Text, "", "", &F::receiptTitle2, &C::receiptTitle2},
        {"receiptFooter1", P::Nowhere, K::Text, "", "", &F::receiptFooter1, &C::receiptFooter1},
        {"receiptFooter2", P::Nowhere, K::Text, "", "", &F::receiptFooter2, &C::receiptFooter2},
    };
    return table;
}

StoredSettings readStoredSettings(const QSqlDatabase& db)
{
    QStringList columns{QStringLiteral("pid")};
    for (const Setting& s : settingsTable())
        if (s.place == P::Row)
            columns << QLatin1String(s.key);
    // The column names come from the table above, never from input.
    QSqlQuery q = db::exec(db, QStringLiteral("select %1 from sysset order by pid").arg(columns.join(u", ")));
    const bool hasRow = q.next();

    StoredSettings stored;
    stored.rowId = hasRow ? q.value(0).toInt() : 0;
    const IniFile ini = IniFile::load(syssetPath());
    for (const Setting& s : settingsTable()) {
        const QString key = QLatin1String(s.key);
        const QString unset = QString::fromUtf8(s.unset);
        if (s.place == P::Row) {
            const QVariant v = hasRow ? q.value(key) : QVariant();
            stored.values.insert(key, v.isNull() ? QVariant(unset) : v);
        } else if (const QString section = iniSection(s); !section.isEmpty()) {
            stored.values.insert(key, ini.value(section, key).value_or(unset));
        }
    }
    return stored;
}

void cacheStoredSettings(const StoredSettings& stored, SettingsCache& cache, bool onlyAtOnce)
{
    for (const Setting& s : settingsTable()) {
        if (s.place == P::Nowhere || (onlyAtOnce && !s.cachedAtOnce))
            continue;
        const QVariant v = stored.values.value(QLatin1String(s.key));
        if (const auto* text = std::get_if<QString SettingsCache::*>(&s.cache))
            cache.**text = v.toString();
        else if (const auto* flag = std::get_if<bool SettingsCache::*>(&s.cache))
            cache.**flag = storedFlag(s, v);
        else if (const auto* whole = std::get_if<int SettingsCache::*>(&s.cache))
            cache.**whole = wholeOf(s, v);
        else if (const auto* amount = std::get_if<double SettingsCache::*>(&s.cache))
            cache.**amount = v.toString().trimmed().toDouble();  // not a number: 0
    }
    cache.receiptPrinterKind = printerKind(cache.xpprintmode);
}

}  // namespace mc
