#include "key_filters.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace mc {

namespace {

class CharacterFilter : public QObject {
public:
    CharacterFilter(QObject* parent, QString characters) : QObject(parent), characters_(std::move(characters)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return false;
        default:
            break;
        }
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;  // shortcuts such as Ctrl+V; the validator still checks what arrives
        const QString text = key->text();
        return text.size() != 1 || !characters_.contains(text[0]);
    }

private:
    QString characters_;
};

class EnterFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // The window moves on exactly as with Tab.
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(watched, &tab);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void acceptOnly(QLineEdit* edit, const QString& characters)
{
    edit->installEventFilter(new CharacterFilter(edit, characters));
    const QString set = QRegularExpression::escape(characters);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[%1]*").arg(set)), edit));
}

void enterMovesFocus(QWidget* widget)
{
    widget->installEventFilter(new EnterFilter(widget));
}

}  // namespace mc
