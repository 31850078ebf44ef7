#include "register_member_fields.h"

#include "database.h"
#include "frmselffield.h"
#include "frmzj.h"
#include "window_registry.h"

namespace mc::members {

void registerFieldWindows()
{
    auto accountSet = [] { return QSqlDatabase::database(db::accountConnection, false); };
    registerWindow(QStringLiteral("N5"), WindowEntry::Kind::Modal,
                   [accountSet](QWidget* parent) { return new Tfrmselffield(accountSet(), parent); });
    registerWindow(QStringLiteral("L1"), WindowEntry::Kind::Modal,
                   [accountSet](QWidget* parent) { return new Tfrmzj(accountSet(), parent); });
}

}  // namespace mc::members
