#pragma once
// Works a modal dialog of type T from a timer once it is open, so window tests do not block.

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

namespace mctest {

// Returns a flag that becomes true when `work` has run on the dialog.
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

}  // namespace mctest
