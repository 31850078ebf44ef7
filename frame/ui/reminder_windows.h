#pragma once
// The windows the start reminders show. The members subsystem registers them (and the SMS
// window its birthday mode); a reminder without a registered window is passed over.

#include "start_reminders.h"

#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

namespace mc {

// `create` receives the member numbers the check found; the dialog is shown modally.
using ReminderWindowFactory = std::function<QDialog*(QWidget* parent, const QStringList& memberNos)>;
void registerReminderWindow(Reminder reminder, ReminderWindowFactory create);
const ReminderWindowFactory* reminderWindow(Reminder reminder);

}  // namespace mc
