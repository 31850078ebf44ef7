#include "help_ui.h"

#include "utils/helptopics.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QShortcut>
#include <QUrl>
#include <QWidget>

namespace mc {

namespace {

constexpr const char* kContextProperty = "helpContext";

}  // namespace

void showhelp(QWidget* window, const QString& topic)
{
    const QString page = helpPagePath(helpFolder(), topic);
    if (page.isEmpty())
        return;
    // Without a browser the desktop opens nothing; say so and where the page is.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        QMessageBox::warning(window, QStringLiteral("帮助"),
                             QStringLiteral("无法打开帮助：系统中没有可用的浏览器。\n帮助页面位于：%1")
                                 .arg(QDir::toNativeSeparators(page)));
}

void setHelpContext(QWidget* window, int context)
{
    window->setProperty(kContextProperty, context);
}

int helpContextOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (const int context = w->property(kContextProperty).toInt())
            return context;
    return 0;
}

void installHelpKey(QWidget* mainWindow)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), mainWindow);
    key->setContext(Qt::ApplicationShortcut);
    QObject::connect(key, &QShortcut::activated, mainWindow, [mainWindow] {
        QWidget* focus = QApplication::focusWidget();
        QWidget* start = focus ? focus : QApplication::activeWindow();
        if (const int context = helpContextOf(start ? start : mainWindow))
            showhelp(mainWindow, helpTopic(context));
    });
}

}  // namespace mc
