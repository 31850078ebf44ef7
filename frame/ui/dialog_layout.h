#pragma once
// The layout every entry dialog shares: its controls, and under them its buttons on the right.

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLayout;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace mc {

// A push button with the object name the tests and the help find it by. It is no default
// button: Enter moves between the controls.
QPushButton* namedButton(QWidget* parent, const QString& caption, const char* objectName);

// Controls side by side from the left, the rest of the row empty.
QHBoxLayout* leftRow(std::initializer_list<QWidget*> widgets);

// A row of buttons on the right.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

// Lays out `body` (stretching by `bodyStretch`) above a right-aligned row of `buttons`.
QVBoxLayout* layoutWithButtons(QWidget* dialog, QLayout* body, std::initializer_list<QPushButton*> buttons,
                               int bodyStretch = 0);
QVBoxLayout* layoutWithButtons(QWidget* dialog, QWidget* body, std::initializer_list<QPushButton*> buttons);

}  // namespace mc
