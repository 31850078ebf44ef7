#pragma once

#include "result.h"

#include <QSqlDatabase>
#include <QString>

namespace mc {

// The fields a refused change focuses.
inline const QString oldPasswordField = QStringLiteral("oldpwd");
inline const QString newPasswordField = QStringLiteral("newpwd");

// The operator changes his own password; the checks and messages of the password window.
// The new password is stored as a salted hash; an empty new password is accepted. Without the
// operator's row nothing is changed: refused with an empty message, as there is nothing to say.
Done changePassword(const QSqlDatabase& db, const QString& staffCode, const QString& oldPassword,
                    const QString& newPassword, const QString& confirmation);

}  // namespace mc
