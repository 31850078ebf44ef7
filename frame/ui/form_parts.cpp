#include "form_parts.h"

#include "dialog_layout.h"
#include "key_filters.h"
#include "utils/money.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace mc::ui {

void enterMovesFocus(QWidget* window)
{
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        mc::enterMovesFocus(e);
    for (QComboBox* c : window->findChildren<QComboBox*>())
        mc::enterMovesFocus(c);
}

QLineEdit* namedEdit(QWidget* parent, const char* objectName)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(objectName));
    return e;
}

QLineEdit* moneyEdit(QWidget* parent, const char* objectName)
{
    QLineEdit* e = namedEdit(parent, objectName);
    mc::acceptOnly(e, mc::digitKeys + u'.');
    return e;
}

std::optional<mc::Money> moneyOf(const QLineEdit* edit)
{
    return mc::Money::parse(edit->text().trimmed());
}

void setMoney(QLineEdit* edit, mc::Money amount, int places)
{
    edit->setText(amount.text(places));
}

QLabel* redNote(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: red"));
    return l;
}

void layoutTreeGridPicker(QDialog* dialog, QTreeWidget* tree, QWidget* list, QAbstractItemView* grid,
                          const std::function<void()>& select)
{
    tree->setMaximumWidth(220);
    auto* pick = mc::namedButton(dialog, QStringLiteral("选择"), "btnSelect");
    auto* close = mc::namedButton(dialog, QStringLiteral("关闭"), "btnClose");
    auto* lists = new QHBoxLayout;
    lists->addWidget(tree);
    lists->addWidget(list, 1);
    mc::layoutWithButtons(dialog, lists, {pick, close});
    QObject::connect(grid, &QAbstractItemView::doubleClicked, dialog, select);
    QObject::connect(pick, &QPushButton::clicked, dialog, select);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
}

}  // namespace mc::ui
