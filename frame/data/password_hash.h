#pragma once
// Staff passwords are kept as salted, stretched hashes (PBKDF2-HMAC-SHA256), never as text.

#include <QByteArray>
#include <QString>

namespace mc {

// "pbkdf2$<iterations>$<salt>$<hash>" with base64 salt and hash; fits gsyg.pwd.
QString hashPassword(const QString& password);
bool verifyPassword(const QString& password, const QString& stored);

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length);

// The built-in administrator's initial password, shown in the login window's note.
inline const QString initialAdminPassword = QStringLiteral("1");

}  // namespace mc
