#include "window_kit.h"

#include "help_ui.h"

#include <QMdiSubWindow>
#include <QMessageBox>

namespace mc::ui {

bool showResult(QWidget* window, bool ok, const QString& message, const QString& field)
{
    if (ok) {
        if (!message.isEmpty())
            QMessageBox::information(window, window->windowTitle(), message);
        return true;
    }
    QMessageBox::warning(window, window->windowTitle(), message);
    if (QWidget* target = field.isEmpty() ? nullptr : window->findChild<QWidget*>(field))
        target->setFocus();
    return false;
}

bool confirmThen(QWidget* window, const QString& question, const std::function<void()>& action)
{
    if (QMessageBox::question(window, window->windowTitle(), question) != QMessageBox::Yes)
        return false;
    action();
    return true;
}

namespace {

void name(QWidget* window, const char* objectName, const QString& caption, int helpContext)
{
    window->setObjectName(QLatin1String(objectName));
    window->setWindowTitle(caption);
    if (helpContext > 0)
        mc::setHelpContext(window, helpContext);
}

}  // namespace

MdiChild::MdiChild(const char* objectName, const QString& caption, int helpContext, QWidget* parent)
    : QWidget(parent)
{
    name(this, objectName, caption, helpContext);
}

void MdiChild::closeWindow()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void MdiChild::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && opensMaximised_)
        sub->showMaximized();
}

EntryDialog::EntryDialog(const char* objectName, const QString& caption, int helpContext, QWidget* parent)
    : QDialog(parent)
{
    name(this, objectName, caption, helpContext);
}

}  // namespace mc::ui
