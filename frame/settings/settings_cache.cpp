#include "settings_cache.h"

#include "globals.h"
#include "settings_table.h"

namespace mc {

int printerKind(const QString& xpprintmode)
{
    return xpprintmode == posPrinter ? 1 : 2;
}

void loadSettingsCache(const QSqlDatabase& db)
{
    // Every stored setting is read anew; the receipt texts, stored nowhere, stay.
    SettingsCache s = settings;
    cacheStoredSettings(readStoredSettings(db), s, false);
    settings = s;
    backupPath = s.autobppath;
}

}  // namespace mc
