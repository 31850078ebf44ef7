#include "members_windows.h"

#include "database.h"
#include "frmcardclass.h"
#include "frmmemberreg.h"
#include "window_registry.h"

namespace mc::members {

void registerWindows()
{
    registerWindow(QStringLiteral("N3"), WindowEntry::Kind::Child, [](QWidget* parent) -> QWidget* {
        return new Tfrmcardclass(QSqlDatabase::database(db::accountConnection), parent);
    });
    registerWindow(QStringLiteral("N8"), WindowEntry::Kind::Modal, [](QWidget* parent) -> QWidget* {
        return new Tfrmmemberreg(QSqlDatabase::database(db::accountConnection), parent);
    });
}

}  // namespace mc::members
