#include "sales_windows.h"

#include "database.h"
#include "frmspzl.h"
#include "window_registry.h"

namespace mc::sales {

void registerWindows()
{
    registerWindow(QStringLiteral("S1"), WindowEntry::Kind::Child, [](QWidget* parent) -> QWidget* {
        return new Tfrmspzl(QSqlDatabase::database(db::accountConnection), parent);
    });
}

}  // namespace mc::sales
