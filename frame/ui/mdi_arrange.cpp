#include "mdi_arrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace mc {

void tileSubWindows(QMdiArea* area, bool horizontally)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList())
        if (w->isVisible() && !w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect space = area->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (horizontally) {
            const int top = space.height() * i / n;
            windows[i]->setGeometry(0, top, space.width(), space.height() * (i + 1) / n - top);
        } else {
            const int left = space.width() * i / n;
            windows[i]->setGeometry(left, 0, space.width() * (i + 1) / n - left, space.height());
        }
    }
}

}  // namespace mc
