#pragma once
// Answers the next modal dialog (a message box, say) from a timer, so window tests do not block.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace mctest {

// Records the text of the next message box and presses `button` on it.
inline std::shared_ptr<QString> answerNextMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok)
{
    auto text = std::make_shared<QString>();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, text, button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            if (QAbstractButton* b = box->button(button))
                b->click();
            else
                box->done(button);
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return text;
}

}  // namespace mctest
