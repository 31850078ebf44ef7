#include "mdi_arrange.h"

#include <QEvent>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace mc {

namespace {

// The area fills each repainted part with its brush. A gradient relative to the painted part
// (object mode) starts afresh in every part and leaves seams where windows were moved or tiled;
// one in the area's own pixels, renewed when it is resized, runs across all parts alike.
class GradientBackground : public QObject {
public:
    GradientBackground(QMdiArea* area, QColor top, QColor bottom)
        : QObject(area), area_(area), top_(top), bottom_(bottom)
    {
        area->viewport()->installEventFilter(this);
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            apply();
        return QObject::eventFilter(watched, event);
    }

private:
    void apply()
    {
        QLinearGradient gradient(0, 0, 0, qMax(1, area_->viewport()->height()));
        gradient.setColorAt(0, top_);
        gradient.setColorAt(1, bottom_);
        area_->setBackground(gradient);
    }

    QMdiArea* area_;
    QColor top_;
    QColor bottom_;
};

}  // namespace

void setGradientBackground(QMdiArea* area, const QColor& top, const QColor& bottom)
{
    new GradientBackground(area, top, bottom);
}

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
