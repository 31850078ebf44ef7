#pragma once
// The workstation settings file `sysset.ini` in `mc::appPath`. Every call opens the file, does
// its one access and closes it; a missing file or key gives the default (empty, 0, false).
// The writers return false when the file could not be written.

#include <QString>

namespace mc {

QString readstr(const QString& section, const QString& key);
bool writestr(const QString& section, const QString& key, const QString& value);
// A value that is not a whole number reads as 0.
int readint(const QString& section, const QString& key);
bool writeint(const QString& section, const QString& key, int value);
// Any non-zero number, or "true", "yes", "on" in any case, reads as true; booleans are written 1/0.
bool readbool(const QString& section, const QString& key);
bool writebool(const QString& section, const QString& key, bool value);
// The rule of readbool applied to a value already read.
bool boolText(const QString& text);

QString syssetPath();

}  // namespace mc
