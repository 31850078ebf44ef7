#include "password_change.h"

#include "database.h"
#include "password_hash.h"

namespace mc {

Done changePassword(const QSqlDatabase& db, const QString& staffCode, const QString& oldPassword,
                    const QString& newPassword, const QString& confirmation)
{
    if (newPassword != confirmation)
        return Done::failure(QStringLiteral("新口令与验证口令不一致，请重新输入"), newPasswordField);
    try {
        const QVariant stored = db::scalar(db, QStringLiteral("select pwd from gsyg where ygid = ?"), {staffCode});
        if (!stored.isValid())
            return Done::failure({});  // the operator's row has gone: nothing to change, nothing to say
        if (!verifyPassword(oldPassword, stored.toString()))
            return Done::failure(QStringLiteral("原口令不正确，请重新输入"), oldPasswordField);
        db::exec(db, QStringLiteral("update gsyg set pwd = ? where ygid = ?"), {hashPassword(newPassword), staffCode});
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    return Done::success({}, QStringLiteral("更改口令完成"));
}

}  // namespace mc
