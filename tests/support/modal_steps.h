#pragma once
// Works modal dialogs from a timer once they are open, so window tests do not block.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace mctest {

// Runs `work` on the next modal dialog of type T; the flag becomes true once it has.
template <typename T>
std::shared_ptr<bool> onNextModal(std::function<void(T*)> work)
{
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, done, work] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            work(dialog);
            *done = true;
        }
    });
    timer->start();
    return done;
}

// Answers the next message boxes, one button each, in order; records their texts.
inline std::shared_ptr<QStringList> answerMessageBoxes(QList<QMessageBox::StandardButton> buttons)
{
    auto texts = std::make_shared<QStringList>();
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto last = std::make_shared<QPointer<QMessageBox>>();
    QObject::connect(timer, &QTimer::timeout, [timer, texts, buttons, last] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == *last)
            return;
        *last = box;
        const QMessageBox::StandardButton button = buttons.at(texts->size());
        texts->append(box->text());
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->done(button);
        if (texts->size() == buttons.size()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return texts;
}

}  // namespace mctest
