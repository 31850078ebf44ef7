#include "password_hash.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace mc {

namespace {

constexpr int iterations = 20000;
constexpr int saltBytes = 16;
constexpr int hashBytes = 32;

// Compares without stopping at the first difference, so timing tells nothing.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

}  // namespace

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int rounds, int length)
{
    QByteArray out;
    for (quint32 block = 1; out.size() < length; ++block) {
        QByteArray counter(4, '\0');
        counter[0] = static_cast<char>(block >> 24);
        counter[1] = static_cast<char>(block >> 16);
        counter[2] = static_cast<char>(block >> 8);
        counter[3] = static_cast<char>(block);
        QByteArray u = QMessageAuthenticationCode::hash(salt + counter, password, QCryptographicHash::Sha256);
        QByteArray t = u;
        for (int i = 1; i < rounds; ++i) {
            u = QMessageAuthenticationCode::hash(u, password, QCryptographicHash::Sha256);
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = static_cast<char>(t[j] ^ u[j]);
        }
        out += t;
    }
    return out.left(length);
}

QString hashPassword(const QString& password)
{
    QByteArray salt(saltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), saltBytes / 4);
    const QByteArray hash = pbkdf2Sha256(password.toUtf8(), salt, iterations, hashBytes);
    return QStringLiteral("pbkdf2$%1$%2$%3")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool verifyPassword(const QString& password, const QString& stored)
{
    const QStringList parts = stored.split(u'$');
    if (parts.size() != 4 || parts[0] != QLatin1String("pbkdf2"))
        return false;
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    if (!ok || rounds < 1 || rounds > 10'000'000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    if (expected.isEmpty())
        return false;
    return sameBytes(pbkdf2Sha256(password.toUtf8(), salt, rounds, static_cast<int>(expected.size())), expected);
}

}  // namespace mc
