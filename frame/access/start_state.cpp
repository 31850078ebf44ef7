#include "start_state.h"

#include "database.h"
#include "main_menu.h"
#include "permissions.h"

namespace mc {

StartState loadStartState(const QSqlDatabase& db, const QString& operatorClass)
{
    StartState s;
    QSqlQuery set = db::exec(db, QStringLiteral("select dwname from sysset order by pid"));
    if (set.next())
        s.companyName = set.value(0).toString();
    if (s.companyName.isEmpty())
        s.companyName = QStringLiteral("澄岚");

    QSqlQuery machine = db::exec(db, QStringLiteral("select symc, jplr from machineset order by pid"));
    if (machine.next()) {
        // The last rule wins: an IC reader/writer overrides "member management only".
        if (machine.value(0).toString() == QStringLiteral("仅进行会员管理"))
            s.cardMode = 3;
        if (machine.value(1).toInt() == 2)
            s.cardMode = 2;
    }
    s.enabled = applyPermissions(mainMenu(), operatorClass, loadPermissions(db, operatorClass));
    return s;
}

QString mainCaption(const QString& companyName)
{
    return companyName + QStringLiteral("会员卡管理软件");
}

}  // namespace mc
