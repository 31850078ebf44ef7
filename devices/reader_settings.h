#pragma once
// The card device settings: the one `machineset` row, the reader's port in sysset.ini
// (machine/ckh), and the system security code (PSC). The main window derives the card input
// mode from the row at start (access/start_state.h).

#include "result.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>

namespace mc::devices {

struct MachineSettings {
    int pid = 0;  // 0 while the table has no row
    QString symc;
    int jplr = 0;  // 0 keyboard, 1 serial card reader, 2 serial IC reader/writer
    bool isusejp = false;
    QString txset;
    int icqh = 1;
    QString jmmm;  // encodepwd of the card password
};

inline const QString noCardDevice = QStringLiteral("仅进行会员管理");

MachineSettings loadMachineSettings(const QSqlDatabase& db);

// Saves the row (appending it when the table is empty) and the port text. Returns the message of
// a refused save ("选择串口读卡器必须录入串口号", or a port the IC reader library cannot open),
// empty on success. Throws db::DbError.
QString saveMachineSettings(const QSqlDatabase& db, MachineSettings& settings, const QString& portText);

// Sets `jmmm` from the two entries of the password window and saves the row. Refused with
// "必须输入密码", "密码输入不一致" (nothing changed) or the message of a failed save.
Done setCardPassword(const QSqlDatabase& db, MachineSettings& settings, const QString& first,
                        const QString& second);

// The port of "COM3" (any letter case, 1–255); nothing for anything else.
std::optional<int> readerPortNumber(const QString& portText);
inline const QString badPortMessage = QStringLiteral("读卡器串口设置错误");
// The port text of this workstation (sysset.ini machine/ckh).
QString readerPortText();

// The three-byte security code presented to every card: the first three bytes of
// SHA-256("membercard-psc:" + card password), so every workstation sharing the account set
// derives the same code. Never FF FF FF, the factory code of new cards.
std::array<quint8, 3> systemPsc(const QString& storedPassword);
constexpr std::array<quint8, 3> factoryPsc = {0xFF, 0xFF, 0xFF};

}  // namespace mc::devices
