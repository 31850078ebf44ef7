#include "line_settings.h"

#include <QStringList>

namespace mc::devices {

LineSettings parseLineSettings(const QString& text)
{
    LineSettings s;
    const QStringList parts = text.split(u',');
    bool ok = false;
    if (parts.size() > 0) {
        const int baud = parts[0].trimmed().toInt(&ok);
        if (ok && baud > 0)
            s.baud = baud;
    }
    if (parts.size() > 1) {
        const QString p = parts[1].trimmed().toLower();
        if (p.size() == 1 && QStringLiteral("neoms").contains(p))
            s.parity = p[0].toLatin1();
    }
    if (parts.size() > 2) {
        const int bits = parts[2].trimmed().toInt(&ok);
        if (ok && bits >= 5 && bits <= 8)
            s.dataBits = bits;
    }
    if (parts.size() > 3) {
        const double stop = parts[3].trimmed().toDouble(&ok);
        if (ok && (stop == 1 || stop == 1.5 || stop == 2))
            s.stopBits = stop;
    }
    return s;
}

}  // namespace mc::devices
