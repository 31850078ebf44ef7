#pragma once
// Small pieces the entry and list windows share: Enter as the next-field key in a whole window,
// named edits, money edits, the red note, and the layout of the pickers. Grids are the query
// kit's (query_kit.h).

#include "utils/money.h"

#include <QString>

#include <functional>
#include <optional>

class QAbstractItemView;
class QDialog;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QWidget;

namespace mc::ui {

// Enter in any edit box or drop-down of `window` moves the focus to the next control.
void enterMovesFocus(QWidget* window);

// An edit named after the column it fills, so a result's field finds it.
QLineEdit* namedEdit(QWidget* parent, const char* objectName);
// A money edit: only digits, "." and Backspace reach it.
QLineEdit* moneyEdit(QWidget* parent, const char* objectName);
// The amount typed in a money edit; nothing for empty or malformed text.
std::optional<mc::Money> moneyOf(const QLineEdit* edit);
// Shows `amount` as "0.00" at the amount decimals.
void setMoney(QLineEdit* edit, mc::Money amount, int places = 2);
// A note in red under or beside the controls it explains.
QLabel* redNote(const QString& text, QWidget* parent);

// A picker's layout: the tree of groups on the left, the grid of choices beside it, 选择 and 关闭
// under them. Double-clicking a row or 选择 calls `select`; 关闭 rejects the dialog.
// `list` is the query view that holds `grid`.
void layoutTreeGridPicker(QDialog* dialog, QTreeWidget* tree, QWidget* list, QAbstractItemView* grid,
                          const std::function<void()>& select);

}  // namespace mc::ui
