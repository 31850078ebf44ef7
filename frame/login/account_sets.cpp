#include "account_sets.h"

#include "data_files.h"
#include "database.h"
#include "globals.h"
#include "password_hash.h"
#include "sqlite_file.h"
#include "transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QSqlRecord>

namespace mc::login {

namespace {

const QString adminCode = QStringLiteral("735146");

// "host" or "host:port".
db::ServerSettings serverSettings(const AccountSet& set)
{
    db::ServerSettings s;
    const int colon = set.server.lastIndexOf(u':');
    bool portOk = false;
    const int port = colon > 0 ? set.server.mid(colon + 1).toInt(&portOk) : 0;
    s.host = portOk ? set.server.left(colon) : set.server;
    if (portOk)
        s.port = port;
    s.database = set.ztmc;
    if (set.dlfs != 1) {
        s.user = set.username;
        s.password = set.userpwd;
    }
    return s;
}

// A name becomes a folder and a file name under the data folder.
bool isSafeFileName(const QString& name)
{
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.trimmed() != name)
        return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    return true;
}

}  // namespace

QList<AccountSet> listAccountSets(const QSqlDatabase& catalogue)
{
    QList<AccountSet> sets;
    QSqlQuery q = db::exec(catalogue, QStringLiteral("select ztmc, memo, sjk, server, username, userpwd, dlfs, "
                                                     "lastload, lastyg, lastloadtime, loadip from sjklj order by ztmc"));
    while (q.next())
        sets.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toString(),
                     q.value(4).toString(), q.value(5).toString(), q.value(6).toInt(), q.value(7).toBool(),
                     q.value(8).toString(), db::toDateTime(q.value(9)), q.value(10).toString()});
    return sets;
}

Result<QList<AccountSet>> readAccountSets(const QSqlDatabase& catalogue)
{
    try {
        return Result<QList<AccountSet>>::success(listAccountSets(catalogue));
    } catch (const db::DbError& e) {
        return Result<QList<AccountSet>>::failure(e.message());
    }
}

int preselectedIndex(const QList<AccountSet>& sets)
{
    int index = 0;
    for (int i = 0; i < sets.size(); ++i)
        if (sets[i].lastload)
            index = i;
    return index;
}

bool isDemoSet(const AccountSet& set)
{
    return set.memo == demoSetDescription;
}

Done connectdb(const AccountSet& set)
{
    try {
        if (set.sjk == 1) {
            db::openServer(db::accountConnection, serverSettings(set));
        } else {
            const QString file = accountSetFile(appPath, set.ztmc);
            db::openSqlite(db::accountConnection, file);
            accountSet = set.ztmc;
            dbFile = file;
        }
    } catch (const db::DbError& e) {
        // The set picked before must not stay connected: the login would go on in a set other
        // than the one the list shows.
        db::closeConnection(db::accountConnection);
        return Done::failure(e.message());
    }
    return Done::success();
}

QString normaliseStaffCode(const QString& typed, int width)
{
    if (typed == adminCode)
        return typed;
    return typed.size() < width ? typed.rightJustified(width, u'0') : typed;
}

int staffCodeWidth(const QSqlDatabase& accountDb)
{
    const QVariant v = db::scalar(accountDb, QStringLiteral("select ygws from sysset"));
    return v.isNull() ? 8 : v.toInt();
}

std::optional<QString> staffName(const QSqlDatabase& accountDb, const QString& code)
{
    QSqlQuery q = db::exec(accountDb, QStringLiteral("select ygname from gsyg where ygid = ?"), {code});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

Result<Session> login(const QSqlDatabase& catalogue, const QSqlDatabase& accountDb, const QString& setName,
                      const QString& typedCode, const QString& typedPassword, const QDateTime& now)
{
    using Refused = Result<Session>;
    if (typedCode.isEmpty())
        return Refused::failure(QStringLiteral("请先录入登录员工编码"), staffCodeField);
    Session session;
    try {
        session.operatorCode = normaliseStaffCode(typedCode, staffCodeWidth(accountDb));
        QSqlQuery q = db::exec(accountDb, QStringLiteral("select ygname, yglb, pwd from gsyg where ygid = ?"),
                               {session.operatorCode});
        if (!q.next())
            return Refused::failure(QStringLiteral("登录员工编码错误,找不到该编号"), staffCodeField);
        if (!verifyPassword(typedPassword, q.value(2).toString()))
            return Refused::failure(QStringLiteral("登录口令错误"), passwordField);
        if (!setName.isEmpty()) {
            db::Transaction t(catalogue);
            db::exec(catalogue, QStringLiteral("update sjklj set lastload = false"));
            db::exec(catalogue,
                     QStringLiteral("update sjklj set lastload = true, lastyg = ?, lastloadtime = ?, loadip = ? "
                                    "where ztmc = ?"),
                     {session.operatorCode, now, localIpAddress(), setName});
            t.commit();
        }
        session.operatorName = q.value(0).toString();
        session.operatorClass = q.value(1).toString();
        session.now = now;
    } catch (const db::DbError& e) {
        return Refused::failure(e.message(), staffCodeField);
    }
    operatorCode = session.operatorCode;
    operatorName = session.operatorName;
    operatorClass = session.operatorClass;
    loginTime = now.toString(QLatin1String(db::canonicalFormat));
    return Refused::success(session);
}

QString localIpAddress()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    QString loopback;
    for (const QNetworkInterface& i : interfaces) {
        if (!(i.flags() & QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& entry : i.addressEntries()) {
            const QHostAddress a = entry.ip();
            if (a.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (!a.isLoopback())
                return a.toString();
            loopback = a.toString();
        }
    }
    return loopback;
}

Done createAccountSet(const QSqlDatabase& catalogue, const QString& appPath, const QString& name,
                     const QString& description, const QDateTime& now)
{
    if (name.isEmpty())
        return Done::failure(QStringLiteral("必须录入帐套名称"));
    if (description.isEmpty())
        return Done::failure(QStringLiteral("必须录入帐套描述"));
    if (!isSafeFileName(name) || name.size() > 50)
        return Done::failure(QStringLiteral("帐套名称不能包含 / \\ : * ? \" < > | 等字符，不能是 . 或 ..，首尾不能有空格，且不超过50个字符"));
    if (description.size() > 50)
        return Done::failure(QStringLiteral("帐套描述不能超过50个字符"));
    try {
        if (db::scalar(catalogue, QStringLiteral("select count(*) from sjklj where ztmc = ?"), {name}).toInt() > 0)
            return Done::failure(QStringLiteral("该帐套名称已经存在"));
        const QString file = accountSetFile(appPath, name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (QFileInfo::exists(file))
            return Done::failure(QStringLiteral("该帐套名称的数据库已经存在"));
        if (!QFileInfo::exists(templateFile(appPath)))
            return Done::failure(QStringLiteral("模板数据库不存在，无法创建新的帐套"));

        db::Transaction t(catalogue);
        db::exec(catalogue, QStringLiteral("insert into sjklj(ztmc, memo, sjk, dlfs, lastload, ztjlsj) "
                                           "values(?, ?, 0, 0, false, ?)"),
                 {name, description, now});
        const QString error = db::backupSqliteFile(templateFile(appPath), file);
        if (!error.isEmpty()) {
            QFile::remove(file);
            // The transaction, undone, takes the catalogue row with it.
            return Done::failure(QStringLiteral("出现错误，无法保存\n") + error);
        }
        t.commit();
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    return Done::success();
}

Done deleteAccountSet(const QSqlDatabase& catalogue, const QString& name)
{
    try {
        db::exec(catalogue, QStringLiteral("delete from sjklj where ztmc = ?"), {name});
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    return Done::success();
}

}  // namespace mc::login
