#include "session_start.h"

#include "account_sets.h"
#include "counters.h"
#include "data_files.h"
#include "database.h"
#include "globals.h"
#include "main_menu.h"
#include "permissions.h"
#include "template_catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace mc::cli {

namespace {

// The folder given, or the program's own rule; always ending in "/".
QString dataFolder(const QString& given)
{
    if (given.isEmpty())
        return chooseAppPath(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(QDir(given).absolutePath()) + u'/';
}

// Prepares the data folder as the program's first start does. Progress goes to standard error:
// standard output carries the one JSON object.
void prepareDataFolder()
{
    QTextStream err(stderr);
    for (const QString& file : populateDataFolder(appPath))
        err << "已创建: " << file << Qt::endl;
    QStringList unwritten;
    for (const QString& file : reports::installTemplates(appPath, &unwritten))
        err << "已创建: " << file << Qt::endl;
    for (const QString& file : unwritten)
        err << "无法写入: " << file << Qt::endl;
}

std::optional<login::AccountSet> findSet(const QSqlDatabase& catalogue, const QString& name)
{
    const QString wanted = name.isEmpty() ? demoSetName : name;
    for (const login::AccountSet& set : login::listAccountSets(catalogue))
        if (set.ztmc == wanted || set.memo == wanted)
            return set;
    return std::nullopt;
}

bool mayUse(const QSqlDatabase& accountDb, const QString& staffClass, const QString& menuItem)
{
    return applyPermissions(mainMenu(), staffClass, loadPermissions(accountDb, staffClass)).value(menuItem);
}

}  // namespace

std::optional<Reply> startSession(const Invocation& inv, const Command& command, Session& session)
{
    appPath = dataFolder(inv.data);
    QDir().mkpath(appPath);
    prepareDataFolder();
    const QSqlDatabase catalogue = db::openSqlite(db::catalogueConnection, catalogueFile(appPath));

    const std::optional<login::AccountSet> set = findSet(catalogue, inv.set);
    if (!set)
        return usageError(QStringLiteral("没有名为 %1 的帐套").arg(inv.set));
    if (const auto connected = login::connectdb(*set); !connected.ok)
        return databaseFailed(connected.message);
    const QSqlDatabase accountDb = QSqlDatabase::database(db::accountConnection);
    // The login turns a failing database into a refusal; reading the staff table first shows a
    // broken account set for what it is.
    login::staffCodeWidth(accountDb);

    const auto loggedIn = login::login(catalogue, accountDb, set->ztmc, inv.operatorCode, inv.password,
                                       QDateTime::currentDateTime());
    if (!loggedIn.ok)
        return refused(loggedIn.message);
    session = Session::current();
    if (inv.now) {
        if (session.operatorClass != administratorClass)
            return refused(QStringLiteral("只有管理员可以指定操作时间"));
        session.now = *inv.now;
    }
    if (!mayUse(accountDb, session.operatorClass, command.menuItem))
        return refused(QStringLiteral("没有使用该功能的权限"));
    db::openShiftIfNone(accountDb, session.operatorCode, session.operatorName, session.now);
    return std::nullopt;
}

}  // namespace mc::cli
