#include "password_change.h"

#include "database.h"
#include "password_hash.h"

namespace mc {

PasswordChange changePassword(const QSqlDatabase& db, const QString& staffCode, const QString& oldPassword,
                              const QString& newPassword, const QString& confirmation)
{
    PasswordChange r;
    if (newPassword != confirmation) {
        r.message = QStringLiteral("新口令与验证口令不一致，请重新输入");
        r.focus = PasswordChange::Focus::New;
        return r;
    }
    try {
        const QVariant stored = db::scalar(db, QStringLiteral("select pwd from gsyg where ygid = ?"), {staffCode});
        if (!stored.isValid())
            return r;  // the operator's row has gone: nothing to change, nothing to say
        if (!verifyPassword(oldPassword, stored.toString())) {
            r.message = QStringLiteral("原口令不正确，请重新输入");
            r.focus = PasswordChange::Focus::Old;
            return r;
        }
        db::exec(db, QStringLiteral("update gsyg set pwd = ? where ygid = ?"), {hashPassword(newPassword), staffCode});
    } catch (const db::DbError& e) {
        r.message = e.saveMessage();
        return r;
    }
    r.ok = true;
    r.message = QStringLiteral("更改口令完成");
    return r;
}

}  // namespace mc
