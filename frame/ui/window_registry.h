#pragma once
// Which window a menu item, tool button or left-panel button opens. Each subsystem registers its
// windows at start-up (its registerWindows(), called from main.cpp), so the main window does not
// depend on them.

#include <QString>

#include <functional>

class QWidget;

namespace mc {

struct WindowEntry {
    enum class Kind {
        Child,  // an MDI child of the main window; a second request brings the open one forward
        Modal,  // a modal dialog, deleted when it closes
    };
    Kind kind = Kind::Child;
    std::function<QWidget*(QWidget* parent)> create;
};

// `menuName` is the menu item's name (N1, G3, …) as in access/main_menu.cpp.
void registerWindow(const QString& menuName, WindowEntry::Kind kind, std::function<QWidget*(QWidget*)> create);
// The entry of a menu item; nullptr when its window is not registered.
const WindowEntry* registeredWindow(const QString& menuName);

}  // namespace mc
