#include "books_windows.h"

#include "database.h"
#include "frmzwhd.h"
#include "window_registry.h"

namespace mc::books {

void registerWindows()
{
    registerWindow(QStringLiteral("Z1"), WindowEntry::Kind::Child, [](QWidget* parent) -> QWidget* {
        return new Tfrmzwhd(QSqlDatabase::database(db::accountConnection), parent);
    });
}

}  // namespace mc::books
