#include "reminder_windows.h"

#include <map>

namespace mc {

namespace {

std::map<Reminder, ReminderWindowFactory>& registry()
{
    static std::map<Reminder, ReminderWindowFactory> entries;
    return entries;
}

}  // namespace

void registerReminderWindow(Reminder reminder, ReminderWindowFactory create)
{
    registry()[reminder] = std::move(create);
}

const ReminderWindowFactory* reminderWindow(Reminder reminder)
{
    const auto it = registry().find(reminder);
    return it == registry().end() ? nullptr : &it->second;
}

}  // namespace mc
