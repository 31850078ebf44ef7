#include "dialog_layout.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mc {

QPushButton* namedButton(QWidget* parent, const QString& caption, const char* objectName)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* leftRow(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets)
        row->addWidget(w);
    row->addStretch();
    return row;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

QVBoxLayout* layoutWithButtons(QWidget* dialog, QLayout* body, std::initializer_list<QPushButton*> buttons,
                               int bodyStretch)
{
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(body, bodyStretch);
    layout->addLayout(buttonRow(buttons));
    return layout;
}

QVBoxLayout* layoutWithButtons(QWidget* dialog, QWidget* body, std::initializer_list<QPushButton*> buttons)
{
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(body);
    layout->addLayout(buttonRow(buttons));
    return layout;
}

}  // namespace mc
