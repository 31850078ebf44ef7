#pragma once
// Serial ports by the names the settings use ("COM1", ...). The mapping from COM number n to a
// device path is shared with the reader library (see README.md beside this file):
//   1. the environment variable TAVRIK_COM<n>, when set and not empty;
//   2. else a line "COM<n>=<path>" of serialports.conf in the program folder;
//   3. else /dev/ttyS<n-1>.

#include <QMap>
#include <QString>
#include <QStringList>

namespace mc {

class SerialPortMap {
public:
    // Reads the configuration file; a missing file means no lines.
    static SerialPortMap load(const QString& confPath);

    QString devicePath(int n) const;
    // The COM numbers worth probing: 1 to 32 and every number named in the file or environment.
    QList<int> candidates() const;

private:
    QMap<int, QString> fromFile_;
};

// The folder of the running program, where serialports.conf is looked for.
QString programFolder();
QString comDevicePath(int n);
// "COM3" or "com3" gives 3; anything else 0.
int comNumber(const QString& name);
// True when `path` is a character device that is a usable serial port (legacy ttyS nodes without
// a UART behind them are left out).
bool isSerialDevice(const QString& path);

// Appends "COM<n>" for every port whose device exists, in ascending order of n; false when none.
bool getcomlist(QStringList& list);
bool getcomlist(QStringList& list, const SerialPortMap& map);

}  // namespace mc
