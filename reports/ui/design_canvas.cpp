#include "design_canvas.h"

#include "painting.h"
#include "text_metrics.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <QPainter>

using namespace mc::reports;

namespace {

// How close to the lower-right corner a press must be to resize rather than move.
constexpr double cornerMm = 1.5;

}  // namespace

DesignCanvas::DesignCanvas(DesignDocument* document, QWidget* parent) : QWidget(parent), doc_(document)
{
    setObjectName(QStringLiteral("designCanvas"));
    setMouseTracking(false);
    refresh();
}

void DesignCanvas::refresh()
{
    const auto& bands = doc_->report().bands;
    if (band_ >= bands.size() || (band_ >= 0 && object_ >= bands[band_].objects.size()))
        select(-1, -1);
    setMinimumSize(int(doc_->report().page.width * pixelsPerMm()) + 1, int(totalHeightMm() * pixelsPerMm()) + 1);
    resize(minimumSize());
    update();
}

void DesignCanvas::setZoom(double zoom)
{
    zoom = std::clamp(zoom, minZoom, maxZoom);
    if (qFuzzyCompare(zoom, zoom_))
        return;
    zoom_ = zoom;
    refresh();
    emit zoomChanged(zoom_);
}

void DesignCanvas::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    setZoom(zoom_ * (event->angleDelta().y() > 0 ? 1.25 : 0.8));
    event->accept();
}

double DesignCanvas::bandTop(int band) const
{
    double y = 0;
    for (int i = 0; i < band; ++i)
        y += captionMm + doc_->report().bands[i].height;
    return y + captionMm;
}

double DesignCanvas::totalHeightMm() const
{
    return bandTop(int(doc_->report().bands.size())) - captionMm;
}

QRectF DesignCanvas::objectRectMm(int band, int object) const
{
    return doc_->object(band, object).rect.translated(doc_->report().page.marginLeft, bandTop(band));
}

QRect DesignCanvas::objectRect(int band, int object) const
{
    const QRectF r = objectRectMm(band, object);
    return QRectF(r.topLeft() * pixelsPerMm(), r.size() * pixelsPerMm()).toRect();
}

void DesignCanvas::select(int band, int object)
{
    if (band == band_ && object == object_)
        return;
    band_ = band;
    object_ = object;
    update();
    emit selectionChanged(band, object);
}

void DesignCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xe8, 0xe8, 0xe8));
    const ReportTemplate& t = doc_->report();
    const double width = t.page.width * pixelsPerMm();
    for (int b = 0; b < t.bands.size(); ++b) {
        const double top = bandTop(b) * pixelsPerMm();
        const QRectF caption(0, top - captionMm * pixelsPerMm(), width, captionMm * pixelsPerMm());
        p.fillRect(caption, b == band_ ? QColor(0xb8, 0xd0, 0xf0) : QColor(0xd0, 0xd0, 0xd0));
        p.setPen(Qt::black);
        p.setFont(QFont(defaultFontFamily(), std::max(6, int(std::lround(8 * zoom_)))));
        p.drawText(caption.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, doc_->bandLabel(b));
        const QRectF area(0, top, width, t.bands[b].height * pixelsPerMm());
        p.fillRect(area, Qt::white);
        p.setPen(QPen(Qt::gray, 0, Qt::DotLine));
        p.drawLine(QPointF(t.page.marginLeft * pixelsPerMm(), top), QPointF(t.page.marginLeft * pixelsPerMm(), area.bottom()));
        p.drawLine(QPointF(width - t.page.marginRight * pixelsPerMm(), top), QPointF(width - t.page.marginRight * pixelsPerMm(), area.bottom()));

        p.save();
        p.scale(pixelsPerMm() / unitsPerMm, pixelsPerMm() / unitsPerMm);
        for (const ReportObject& o : t.bands[b].objects)
            paintObject(p, placeObject(o, QPointF(t.page.marginLeft, bandTop(b)), o.text));
        p.restore();
        for (int o = 0; o < t.bands[b].objects.size(); ++o) {
            const bool selected = b == band_ && o == object_;
            p.setPen(QPen(selected ? QColor(Qt::blue) : QColor(0xa0, 0xa0, 0xa0), selected ? 2 : 0, selected ? Qt::SolidLine : Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            const QRect r = objectRect(b, o);
            p.drawRect(r);
            if (selected)
                p.fillRect(QRect(r.bottomRight() - QPoint(4, 4), QSize(6, 6)), Qt::blue);
        }
    }
}

void DesignCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF mm = toMm(event->position());
    const auto& bands = doc_->report().bands;
    for (int b = int(bands.size()) - 1; b >= 0; --b) {
        for (int o = int(bands[b].objects.size()) - 1; o >= 0; --o) {
            const QRectF r = objectRectMm(b, o);
            const QRectF grip(r.bottomRight() - QPointF(cornerMm, cornerMm), QSizeF(2 * cornerMm, 2 * cornerMm));
            if (r.contains(mm) || grip.contains(mm)) {
                select(b, o);
                drag_ = grip.contains(mm) ? Drag::Resize : Drag::Move;
                pressMm_ = mm;
                startRect_ = doc_->object(b, o).rect;
                return;
            }
        }
    }
    for (int b = 0; b < bands.size(); ++b) {
        if (mm.y() >= bandTop(b) - captionMm && mm.y() < bandTop(b) + bands[b].height) {
            select(b, -1);
            return;
        }
    }
    select(-1, -1);
}

void DesignCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (drag_ == Drag::None || band_ < 0 || object_ < 0)
        return;
    const QPointF delta = toMm(event->position()) - pressMm_;
    // A click, or a tremor smaller than the drawing's grid, is no move.
    if (doc_->object(band_, object_).rect == startRect_ && delta.manhattanLength() < 0.05)
        return;
    if (drag_ == Drag::Move)
        doc_->moveObject(band_, object_, startRect_.topLeft() + delta);
    else
        doc_->resizeObject(band_, object_, startRect_.size() + QSizeF(delta.x(), delta.y()));
    update();
    emit objectChanged(band_, object_);
}

void DesignCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (drag_ != Drag::None)
        mouseMoveEvent(event);
    drag_ = Drag::None;
}
