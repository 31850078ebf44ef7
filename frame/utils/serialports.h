#pragma once
// Serial ports by the names the settings use ("COM1", ...). COM n is the device the reader
// library maps it to (see README.md): TAVRIK_COM<n>, else "COM<n>=<path>" in serialports.conf of
// the program folder, else /dev/ttyS<n-1>.

#include <QString>
#include <QStringList>

namespace mc {

// The folder of the running program, where serialports.conf is looked for.
QString programFolder();
QString comDevicePath(int n, const QString& folder = programFolder());
// "COM3" or "com3" gives 3; anything else 0.
int comNumber(const QString& name);
// True when `path` is a terminal device that can be a serial port (pseudo-terminals included;
// UART nodes without a chip behind them, the console and virtual consoles left out).
bool isSerialDevice(const QString& path);

// Appends "COM<n>" for every port whose device exists, in ascending order of n: COM1 to COM32
// and any number named by a TAVRIK_COM<n> variable. False when there is none.
bool getcomlist(QStringList& list, const QString& folder = programFolder());

}  // namespace mc
