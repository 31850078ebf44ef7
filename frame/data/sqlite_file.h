#pragma once
// Whole-file operations on SQLite databases, done through SQLite itself so that work still
// sitting in the write-ahead log is never lost.

#include <QString>

#include <functional>

namespace mc::db {

// Copies a live database into `target` (which must not exist) with SQLite's online backup.
// The copy holds exactly what was committed when it finished. `progress` gets 0..100.
// Returns an empty text on success, else the reason.
QString backupSqliteFile(const QString& source, const QString& target,
                         const std::function<void(int)>& progress = {});

// Copies a live database into `target`, replacing a file already there only once the new copy
// is complete: the copy is written beside it and renamed. A failed copy leaves `target` as it was.
QString replaceWithSqliteBackup(const QString& source, const QString& target,
                                const std::function<void(int)>& progress = {});

// Writes a compacted copy of `source` into the new file `target` (VACUUM INTO).
QString compactSqliteInto(const QString& source, const QString& target);

// Compacts a database in place (VACUUM). Other workstations keep their open connections.
QString compactSqliteInPlace(const QString& file);

}  // namespace mc::db
