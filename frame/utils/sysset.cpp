#include "utils/sysset.h"

#include "globals.h"
#include "utils/inifile.h"

namespace mc {

QString syssetPath()
{
    return appPath + QStringLiteral("sysset.ini");
}

QString readstr(const QString& section, const QString& key)
{
    return IniFile::load(syssetPath()).value(section, key).value_or(QString());
}

bool writestr(const QString& section, const QString& key, const QString& value)
{
    IniFile ini = IniFile::load(syssetPath());
    ini.setValue(section, key, value);
    return ini.save(syssetPath());
}

int readint(const QString& section, const QString& key)
{
    bool ok = false;
    const int v = readstr(section, key).toInt(&ok);
    return ok ? v : 0;
}

bool writeint(const QString& section, const QString& key, int value)
{
    return writestr(section, key, QString::number(value));
}

bool readbool(const QString& section, const QString& key)
{
    return boolText(readstr(section, key));
}

bool boolText(const QString& text)
{
    bool ok = false;
    const long long number = text.toLongLong(&ok);
    if (ok)
        return number != 0;
    for (const char* word : {"true", "yes", "on"})
        if (text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool writebool(const QString& section, const QString& key, bool value)
{
    return writestr(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace mc
