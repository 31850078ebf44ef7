#include "utils/serialports.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>

namespace mc {

namespace {

const QRegularExpression& comName()
{
    static const QRegularExpression re(QStringLiteral("^COM([1-9][0-9]{0,3})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

int envPortNumber(const QString& variable)
{
    static const QRegularExpression re(QStringLiteral("^TAVRIK_COM([1-9][0-9]{0,3})$"));
    const auto m = re.match(variable);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString envDevice(int n)
{
    return qEnvironmentVariable(qPrintable(QStringLiteral("TAVRIK_COM%1").arg(n)));
}

}  // namespace

SerialPortMap SerialPortMap::load(const QString& confPath)
{
    SerialPortMap map;
    QFile file(confPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return map;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const int n = comNumber(line.left(eq).trimmed());
        const QString path = line.mid(eq + 1).trimmed();
        if (n > 0 && !path.isEmpty())
            map.fromFile_.insert(n, path);
    }
    return map;
}

QString SerialPortMap::devicePath(int n) const
{
    if (n < 1)
        return {};
    const QString env = envDevice(n);
    if (!env.isEmpty())
        return env;
    const auto it = fromFile_.constFind(n);
    if (it != fromFile_.cend())
        return *it;
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

QList<int> SerialPortMap::candidates() const
{
    QList<int> numbers;
    for (int n = 1; n <= 32; ++n)
        numbers << n;
    numbers << fromFile_.keys();
    for (const QString& variable : QProcessEnvironment::systemEnvironment().keys())
        if (const int n = envPortNumber(variable))
            numbers << n;
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QString programFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString comDevicePath(int n)
{
    return SerialPortMap::load(programFolder() + QStringLiteral("/serialports.conf")).devicePath(n);
}

int comNumber(const QString& name)
{
    const auto m = comName().match(name.trimmed());
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

bool isSerialDevice(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned int major = ::major(st.st_rdev), minor = ::minor(st.st_rdev);
    // Pseudo-terminal slaves: how tests and the reader simulator stand in for a port.
    if (major >= 136 && major <= 143)
        return true;
    // The controlling terminal, the console, ptmx and the virtual consoles are no ports.
    if (major == 5 || (major == 4 && minor < 64))
        return false;
    const QString subsystem = QFileInfo(QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major).arg(minor))
                                  .canonicalFilePath();
    if (!subsystem.endsWith(QLatin1String("/tty")))
        return false;
    // The kernel creates ttyS nodes for UARTs that may not be there; sysfs tells with type 0.
    QFile type(QStringLiteral("/sys/dev/char/%1:%2/type").arg(major).arg(minor));
    return !(type.open(QIODevice::ReadOnly) && type.readAll().trimmed() == "0");
}

bool getcomlist(QStringList& list, const SerialPortMap& map)
{
    bool found = false;
    for (int n : map.candidates()) {
        if (isSerialDevice(map.devicePath(n))) {
            list << QStringLiteral("COM%1").arg(n);
            found = true;
        }
    }
    return found;
}

bool getcomlist(QStringList& list)
{
    return getcomlist(list, SerialPortMap::load(programFolder() + QStringLiteral("/serialports.conf")));
}

}  // namespace mc
