#include "utils/serialports.h"

#include "transport/portmap.h"

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

}  // namespace

QString programFolder()
{
    return QString::fromStdString(tavrik::programFolder());
}

QString comDevicePath(int n, const QString& folder)
{
    return n < 1 ? QString() : QString::fromStdString(tavrik::devicePathOf(n, folder.toStdString()));
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

bool getcomlist(QStringList& list, const QString& folder)
{
    QList<int> numbers;
    for (int n = 1; n <= 32; ++n)
        numbers << n;
    for (const QString& variable : QProcessEnvironment::systemEnvironment().keys())
        if (const int n = envPortNumber(variable))
            numbers << n;
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    bool found = false;
    for (int n : numbers) {
        if (isSerialDevice(comDevicePath(n, folder))) {
            list << QStringLiteral("COM%1").arg(n);
            found = true;
        }
    }
    return found;
}

}  // namespace mc
