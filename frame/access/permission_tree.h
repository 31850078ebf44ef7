#pragma once
// The tree of the permission window without widgets: a root, then every item of the main
// menus but the last (帮助(&H)), separators left out; each node allowed or not.

#include "main_menu.h"
#include "permissions.h"

#include <QHash>
#include <QList>
#include <QString>

namespace mc {

inline const QString permissionRootText = QStringLiteral("会员管理软件");

// A node's text: caption + "[" + name + "]", as in 会员注册(&Z)[N8].
QString permissionNodeText(const MenuItem& item);

class PermissionTree {
public:
    // The root has the empty name.
    explicit PermissionTree(const QList<MenuItem>& menu);

    // The menus the tree shows: all but the last.
    QList<MenuItem> topMenus() const { return menu_.mid(0, menu_.size() - 1); }

    // Marks every node not allowed, then each row's node (matched by caption and name)
    // as its `isyy` says; the root is allowed when a matched row is.
    void load(const QList<PermissionRow>& rows);

    // Not allowed → allowed together with all descendants and all ancestors;
    // allowed → not allowed together with all descendants, ancestors unchanged.
    void toggle(const QString& name);

    bool allowed(const QString& name) const { return allowed_.value(name, false); }

    // One row per node but the root, in tree order.
    QList<PermissionRow> rows() const;

private:
    void setSubtree(const QString& name, bool on);

    QList<MenuItem> menu_;
    QHash<QString, bool> allowed_;
    QHash<QString, QString> parent_;           // node → parent node ("" for the root)
    QHash<QString, QStringList> children_;
    QHash<QString, QString> text_;             // node → its text
};

}  // namespace mc
