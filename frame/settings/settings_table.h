#pragma once
// Every setting once: its name, where it is stored (a column of the `sysset` row or a key of
// sysset.ini), its type, the value it has when nothing is stored, what the settings window
// shows for it, and where the cache keeps it. Loading and saving the window and filling the
// cache all walk this table, so a new setting is one line here and one field in each struct.

#include "settings_cache.h"
#include "system_settings.h"

#include <QHash>
#include <QSqlDatabase>
#include <QVariant>

#include <variant>
#include <vector>

namespace mc {

enum class SettingPlace {
    Row,     // a column of the `sysset` row, named as the key
    Sys,     // sysset.ini, section "sys"
    SmsSet,  // sysset.ini, section "smsset"
    Nowhere  // kept only in the cache while the program runs
};

enum class SettingKind {
    Text,
    Flag,      // stored 1/0
    Whole,     // a whole number; the window edits it as text
    Amount,    // a number with decimals; the window edits it as text
    Password   // scrambled with encodepwd; the window shows a placeholder
};

struct Setting {
    const char* key;  // column or INI key; also the name of the form field and the window's control
    SettingPlace place;
    SettingKind kind;
    const char* unset = "";          // the value read when nothing is stored (no row, NULL, no key)
    const char* shownWhenEmpty = ""; // what the window shows for an empty value
    std::variant<std::monostate, QString SettingsForm::*, bool SettingsForm::*> form{};
    std::variant<std::monostate, QString SettingsCache::*, bool SettingsCache::*, int SettingsCache::*,
                 double SettingsCache::*>
        cache{};
    bool cachedAtOnce = true;  // false: a save reaches the cache only at the next start
};

const std::vector<Setting>& settingsTable();

// The sysset.ini section of a setting kept there ("sys", "smsset"); empty for the others.
QString iniSection(const Setting& setting);
// A stored flag read by the rule of its place: the engine's boolean for the row; for the file
// any non-zero number or "true", "yes", "on".
bool storedFlag(const Setting& setting, const QVariant& stored);

// The stored values by key: the `sysset` row (the unset values when it has none) and
// sysset.ini, as the engine and the file hold them.
struct StoredSettings {
    int rowId = 0;  // sysset.pid; 0 when there is no row
    QHash<QString, QVariant> values;
};
// Throws db::DbError.
StoredSettings readStoredSettings(const QSqlDatabase& db);

// The cache's values from what is stored; with `onlyAtOnce` those a save refreshes at once.
void cacheStoredSettings(const StoredSettings& stored, SettingsCache& cache, bool onlyAtOnce);

}  // namespace mc
