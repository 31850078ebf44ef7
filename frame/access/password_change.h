#pragma once

#include <QSqlDatabase>
#include <QString>

namespace mc {

struct PasswordChange {
    bool ok = false;
    QString message;
    enum class Focus { None, Old, New } focus = Focus::None;
};

// The operator changes his own password; the checks and messages of the password window.
// The new password is stored as a salted hash; an empty new password is accepted. Without the
// operator's row nothing is changed and the message stays empty.
PasswordChange changePassword(const QSqlDatabase& db, const QString& staffCode, const QString& oldPassword,
                              const QString& newPassword, const QString& confirmation);

}  // namespace mc
