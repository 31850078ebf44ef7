#pragma once
// Which main-menu items a staff class may use, stored per class in classqx.

#include "main_menu.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace mc {

inline const QString administratorClass = QStringLiteral("管理员");

struct PermissionRow {
    QString menucode;
    QString menuname;
    bool isyy = false;
};

// The staff classes (ygclass.yglb) in their order.
QStringList staffClasses(const QSqlDatabase& db);

QList<PermissionRow> loadPermissions(const QSqlDatabase& db, const QString& staffClass);
// Replaces the class's rows as a whole, in one transaction.
void savePermissions(const QSqlDatabase& db, const QString& staffClass, const QList<PermissionRow>& rows);

// Enabled state per menu item name after applying a class's rows to the main menu: the
// administrator class gets everything; any other class starts with everything disabled but the
// last top-level menu, and each row enables or disables the first item whose caption equals
// its menuname (each top-level menu in order, the last one included, its items depth first
// with children before the item, then the top-level menu itself).
QHash<QString, bool> applyPermissions(const QList<MenuItem>& menu, const QString& staffClass,
                                      const QList<PermissionRow>& rows);

// The rows the permission window saves for a tree of checked names: every item of the menus
// it lists (all but the last), in tree order, separators left out.
QList<PermissionRow> permissionRows(const QList<MenuItem>& menu, const QHash<QString, bool>& allowed);

}  // namespace mc
