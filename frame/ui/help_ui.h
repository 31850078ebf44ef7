#pragma once
// Help: `showhelp` opens a topic page in the desktop's browser; F1 in any window opens the
// topic of the window's help context number (utils/helptopics.h).

#include <QString>

class QWidget;

namespace mc {

// Opens the page of `topic` from the help folder; does nothing when the page is missing, and
// says so when no browser can show it.
void showhelp(QWidget* window, const QString& topic);

// Every window that has a help topic sets its context number once.
void setHelpContext(QWidget* window, int context);
// The context number of `widget` or the nearest parent that has one; 0 for none.
int helpContextOf(const QWidget* widget);

// Makes F1 anywhere in the application open the topic of the focused window.
void installHelpKey(QWidget* mainWindow);

}  // namespace mc
