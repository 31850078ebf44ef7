#pragma once
// The designer's drawing of a template: bands stacked with a caption strip above each, their
// objects as they will print (texts with their expressions). Dragging an object moves it,
// dragging its lower-right corner resizes it.

#include "design_document.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>

class DesignCanvas : public QWidget {
    Q_OBJECT
public:
    explicit DesignCanvas(mc::reports::DesignDocument* document, QWidget* parent = nullptr);

    static constexpr double pixelsPerMm = 4.0;
    static constexpr double captionMm = 5.0;

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
    void selectionChanged(int band, int object);
    void objectChanged(int band, int object);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF toMm(const QPointF& pixels) const { return pixels / pixelsPerMm; }
    QRectF objectRectMm(int band, int object) const;
    double totalHeightMm() const;

    enum class Drag { None, Move, Resize };
    mc::reports::DesignDocument* doc_;
    int band_ = -1;
    int object_ = -1;
    Drag drag_ = Drag::None;
    QPointF pressMm_;
    QRectF startRect_;
};
