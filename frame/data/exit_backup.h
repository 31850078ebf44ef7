#pragma once
// The automatic backup when the program closes: a copy of the account-set database into one
// of 31 rotating files, then compaction of the database in place.

#include <QString>

#include <functional>
#include <optional>

namespace mc {

struct ExitBackupRequest {
    QString dbFile;        // the account-set database
    QString appPath;       // data folder, ending in "/"
    QString accountSet;
    QString backupPath;    // sysset.autobppath; may be empty
    bool serverSet = false;  // a server account set has no file of its own to copy
};

struct ExitBackupResult {
    bool backedUp = false;
    bool compacted = false;
    QString target;
    QString message;   // what went wrong or why nothing was done; empty when all went well
};

// `label` receives the captions the window shows, `percent` the gauge position.
struct ExitBackupProgress {
    std::function<void(const QString&)> label;
    std::function<void(int)> percent;
};

// The backup folder: `backupPath` when set and existing, else appPath + accountSet + "bp/"
// (created when missing); always ending in "/".
QString backupFolder(const ExitBackupRequest& request);

// The slot to write: the first missing of 0.bp … 30.bp, else the oldest writable .bp file of the
// folder by last-write time. Nothing when every slot exists and none may be overwritten.
std::optional<QString> backupTarget(const QString& folder);

ExitBackupResult runExitBackup(const ExitBackupRequest& request, const ExitBackupProgress& progress = {});

}  // namespace mc
