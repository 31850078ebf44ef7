#pragma once
// The designer's drawing of a template: bands stacked with a caption strip above each, their
// objects as they will print (texts with their expressions). Dragging an object moves it,
// dragging its lower-right corner resizes it; a press without a move changes nothing.

#include "design_document.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>

class DesignCanvas : public QWidget {
    Q_OBJECT
public:
    explicit DesignCanvas(mc::reports::DesignDocument* document, QWidget* parent = nullptr);

    // At 100 %: four pixels to the millimetre.
    static constexpr double basePixelsPerMm = 4.0;
    static constexpr double captionMm = 5.0;

    // 1.0 is 100 %; kept between minZoom and maxZoom.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    static constexpr double minZoom = 0.25;
    static constexpr double maxZoom = 4.0;

    // Where a band's area (below its caption) starts, in millimetres from the canvas top.
    double bandTop(int band) const;
    // The object's rectangle on the canvas, in pixels.
    QRect objectRect(int band, int object) const;

    int selectedBand() const { return band_; }
    int selectedObject() const { return object_; }
    void select(int band, int object);
    // Call after the document changed outside the canvas.
    void refresh();

signals:
    void zoomChanged(double zoom);
    void selectionChanged(int band, int object);
    void objectChanged(int band, int object);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Ctrl and the wheel zoom, as in most drawing programs.
    void wheelEvent(QWheelEvent* event) override;

private:
    double pixelsPerMm() const { return basePixelsPerMm * zoom_; }
    QPointF toMm(const QPointF& pixels) const { return pixels / pixelsPerMm(); }
    QRectF objectRectMm(int band, int object) const;
    double totalHeightMm() const;

    enum class Drag { None, Move, Resize };
    mc::reports::DesignDocument* doc_;
    double zoom_ = 1.0;
    int band_ = -1;
    int object_ = -1;
    Drag drag_ = Drag::None;
    QPointF pressMm_;
    QRectF startRect_;
};
