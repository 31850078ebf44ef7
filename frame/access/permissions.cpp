#include "permissions.h"

#include "database.h"
#include "transaction.h"

namespace mc {

namespace {

void setAll(const MenuItem& item, bool enabled, QHash<QString, bool>& state)
{
    if (item.isSeparator())
        return;
    state[item.name] = enabled;
    for (const MenuItem& child : item.children)
        setAll(child, enabled, state);
}

// Depth first, children before the item itself.
const MenuItem* findByCaption(const MenuItem& item, const QString& caption)
{
    for (const MenuItem& child : item.children) {
        if (child.isSeparator())
            continue;
        if (const MenuItem* found = findByCaption(child, caption))
            return found;
    }
    return item.caption == caption ? &item : nullptr;
}

void collectRows(const MenuItem& item, const QHash<QString, bool>& allowed, QList<PermissionRow>& rows)
{
    if (item.isSeparator())
        return;
    rows.append({item.name, item.caption, allowed.value(item.name, false)});
    for (const MenuItem& child : item.children)
        collectRows(child, allowed, rows);
}

}  // namespace

QStringList staffClasses(const QSqlDatabase& db)
{
    return db::firstColumn(db, QStringLiteral("select yglb from ygclass order by pid"));
}

QList<PermissionRow> loadPermissions(const QSqlDatabase& db, const QString& staffClass)
{
    QList<PermissionRow> rows;
    QSqlQuery q = db::exec(db, QStringLiteral("select menucode, menuname, isyy from classqx where ygclass = ? order by pid"),
                           {staffClass});
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toBool()});
    return rows;
}

void savePermissions(const QSqlDatabase& db, const QString& staffClass, const QList<PermissionRow>& rows)
{
    db::Transaction t(db);
    db::exec(db, QStringLiteral("delete from classqx where ygclass = ?"), {staffClass});
    for (const PermissionRow& row : rows)
        db::exec(db, QStringLiteral("insert into classqx(ygclass, menucode, menuname, isyy) values(?, ?, ?, ?)"),
                 {staffClass, row.menucode, row.menuname, row.isyy});
    t.commit();
}

QHash<QString, bool> applyPermissions(const QList<MenuItem>& menu, const QString& staffClass,
                                      const QList<PermissionRow>& rows)
{
    QHash<QString, bool> state;
    const bool administrator = staffClass == administratorClass;
    for (qsizetype i = 0; i < menu.size(); ++i)
        setAll(menu[i], administrator || i == menu.size() - 1, state);
    if (administrator)
        return state;
    // Every top-level menu is searched, 帮助 included: a class may be refused 关于 too.
    for (const PermissionRow& row : rows) {
        for (qsizetype i = 0; i < menu.size(); ++i) {
            if (const MenuItem* found = findByCaption(menu[i], row.menuname)) {
                state[found->name] = row.isyy;
                break;
            }
        }
    }
    return state;
}

QList<PermissionRow> permissionRows(const QList<MenuItem>& menu, const QHash<QString, bool>& allowed)
{
    QList<PermissionRow> rows;
    for (qsizetype i = 0; i + 1 < menu.size(); ++i)
        collectRows(menu[i], allowed, rows);
    return rows;
}

}  // namespace mc
