#pragma once
// The reminder checks the main window runs once after start, in this order. Each names the
// members it found; the main window shows the matching reminder window when there are any.

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>

namespace mc {

struct SettingsCache;

enum class Reminder {
    Birthday,     // `srtx`: birthdays within `txdays` days either side of today
    Expiry,       // `dqtx`: cards expiring in less than `dqtxday` days, expired ones included
    LowBalance,   // `yetx`: stored-value cards with a balance at or below `yetxje`
    BirthdaySms,  // `membersrsend`: born today and not yet sent a birthday message today
    Points,       // `usejftx` with `jftx` > 0: more points than `jftx`
};

const QList<Reminder>& reminderOrder();

// Whether the check is switched on in `s`.
bool reminderOn(Reminder r, const SettingsCache& s);

// The member numbers the check finds, cancelled cards left out, ordered by number. Throws
// db::DbError.
QStringList reminderMembers(const QSqlDatabase& db, Reminder r, const SettingsCache& s, const QDateTime& now);

}  // namespace mc
