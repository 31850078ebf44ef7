#include "window_registry.h"

#include <QHash>

namespace mc {

namespace {

QHash<QString, WindowEntry>& registry()
{
    static QHash<QString, WindowEntry> entries;
    return entries;
}

}  // namespace

void registerWindow(const QString& menuName, WindowEntry::Kind kind, std::function<QWidget*(QWidget*)> create)
{
    registry().insert(menuName, WindowEntry{kind, std::move(create)});
}

const WindowEntry* registeredWindow(const QString& menuName)
{
    const auto it = registry().constFind(menuName);
    return it == registry().cend() ? nullptr : &*it;
}

}  // namespace mc
