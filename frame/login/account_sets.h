#pragma once
// Account sets and login, without windows: the catalogue list, connecting the account-set
// connection, the staff-code rule, the login checks and creating a new account set.

#include "result.h"
#include "session.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace mc::login {

struct AccountSet {
    QString ztmc;   // folder and file name
    QString memo;   // the description listed in the login window
    int sjk = 0;    // 0 file, 1 server
    QString server;
    QString username;
    QString userpwd;
    int dlfs = 0;   // 1: the operating-system login applies
    bool lastload = false;
    QString lastyg;
    QDateTime lastloadtime;
    QString loadip;
};

// The catalogue in name order, and the entry to preselect: the (last) one of the latest login.
// Throws db::DbError.
QList<AccountSet> listAccountSets(const QSqlDatabase& catalogue);
// The same for a window: the list, or the message of a catalogue that cannot be read.
Result<QList<AccountSet>> readAccountSets(const QSqlDatabase& catalogue);
int preselectedIndex(const QList<AccountSet>& sets);
bool isDemoSet(const AccountSet& set);

// Connects the account-set connection to `set`. A file set also sets accountSet and dbFile;
// a server set leaves them as they were.
Done connectdb(const AccountSet& set);

// Pads a typed staff code with "0" to the staff-code width; 735146 and longer codes stay.
QString normaliseStaffCode(const QString& typed, int width);
int staffCodeWidth(const QSqlDatabase& accountDb);
std::optional<QString> staffName(const QSqlDatabase& accountDb, const QString& code);

// The fields a refused login focuses.
inline const QString staffCodeField = QStringLiteral("ygid");
inline const QString passwordField = QStringLiteral("pwd");

// The login checks in order; on success fills the operator's global values, records the login
// in the catalogue (exactly one row keeps lastload) and hands back the operator's session, its
// code as normalised.
Result<Session> login(const QSqlDatabase& catalogue, const QSqlDatabase& accountDb, const QString& setName,
                  const QString& typedCode, const QString& typedPassword, const QDateTime& now);

// The first address of a local interface that is up, for sjklj.loadip.
QString localIpAddress();

// Creates a new file account set from the template; the checks and messages of the window.
Done createAccountSet(const QSqlDatabase& catalogue, const QString& appPath, const QString& name,
                         const QString& description, const QDateTime& now);
// Removes the catalogue row only; the folder and file stay on disk.
Done deleteAccountSet(const QSqlDatabase& catalogue, const QString& name);

}  // namespace mc::login
