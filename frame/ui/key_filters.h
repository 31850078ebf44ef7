#pragma once
// Keyboard rules of the entry windows.

#include <QString>

class QLineEdit;
class QWidget;

namespace mc {

// Only the given characters and Backspace reach the edit, typed or pasted; Enter, Tab and
// shortcuts pass on to the window.
void acceptOnly(QLineEdit* edit, const QString& characters);
inline const QString digitKeys = QStringLiteral("0123456789");

// Enter in `widget` moves the focus to the next control instead of pressing a button.
void enterMovesFocus(QWidget* widget);

}  // namespace mc
