#include "members_windows.h"

#include "database.h"
#include "frmcardclass.h"
#include "window_registry.h"

namespace mc::members {

void registerWindows()
{
    registerWindow(QStringLiteral("N3"), WindowEntry::Kind::Child, [](QWidget* parent) -> QWidget* {
        return new Tfrmcardclass(QSqlDatabase::database(db::accountConnection), parent);
    });
}

}  // namespace mc::members
