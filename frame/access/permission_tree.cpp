#include "permission_tree.h"

#include <functional>

namespace mc {

QString permissionNodeText(const MenuItem& item)
{
    return item.caption + u'[' + item.name + u']';
}

PermissionTree::PermissionTree(const QList<MenuItem>& menu) : menu_(menu)
{
    allowed_.insert(QString(), false);
    const std::function<void(const MenuItem&, const QString&)> add = [&](const MenuItem& item, const QString& parent) {
        if (item.isSeparator())
            return;
        allowed_.insert(item.name, false);
        parent_.insert(item.name, parent);
        children_[parent] << item.name;
        text_.insert(item.name, permissionNodeText(item));
        for (const MenuItem& child : item.children)
            add(child, item.name);
    };
    for (const MenuItem& item : topMenus())
        add(item, QString());
}

void PermissionTree::load(const QList<PermissionRow>& rows)
{
    for (auto it = allowed_.begin(); it != allowed_.end(); ++it)
        it.value() = false;
    bool any = false;
    for (const PermissionRow& row : rows) {
        const QString text = row.menuname + u'[' + row.menucode + u']';
        if (text_.value(row.menucode) != text)
            continue;  // no such node
        allowed_[row.menucode] = row.isyy;
        any = any || row.isyy;
    }
    allowed_[QString()] = any;
}

void PermissionTree::setSubtree(const QString& name, bool on)
{
    allowed_[name] = on;
    for (const QString& child : children_.value(name))
        setSubtree(child, on);
}

void PermissionTree::toggle(const QString& name)
{
    if (!allowed_.contains(name))
        return;
    if (allowed(name)) {
        setSubtree(name, false);
        return;
    }
    setSubtree(name, true);
    for (QString up = name; !up.isEmpty();) {
        up = parent_.value(up);
        allowed_[up] = true;
    }
}

QList<PermissionRow> PermissionTree::rows() const
{
    QHash<QString, bool> state = allowed_;
    state.remove(QString());
    return permissionRows(menu_, state);
}

}  // namespace mc
