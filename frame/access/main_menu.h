#pragma once
// The main menu as data: the main window builds its menus from it, and the permission window
// lists it, so both always agree on names and captions.

#include <QList>
#include <QString>

namespace mc {

struct MenuItem {
    QString name;     // component name, stored in classqx.menucode
    QString caption;  // as shown, accelerator marks included; "-" is a separator
    QString shortcut; // such as "Ctrl+A"; empty when none
    QList<MenuItem> children;

    bool isSeparator() const { return caption == QLatin1String("-"); }
};

// The top-level menus in order; the last one is 帮助(&H).
const QList<MenuItem>& mainMenu();

}  // namespace mc
