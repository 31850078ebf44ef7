#include "painting.h"

#include "text_metrics.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace mc::reports {

namespace {

QRectF units(const QRectF& mm)
{
    return {mm.x() * unitsPerMm, mm.y() * unitsPerMm, mm.width() * unitsPerMm, mm.height() * unitsPerMm};
}

QPen pen(double widthMm)
{
    QPen p(Qt::black);
    p.setWidthF(widthMm * unitsPerMm);
    p.setCapStyle(Qt::FlatCap);
    return p;
}

void paintFrame(QPainter& painter, const PreparedObject& o)
{
    const QRectF r = units(o.rect);
    painter.setPen(pen(o.lineWidth));
    if (o.frame & FrameLeft) painter.drawLine(r.topLeft(), r.bottomLeft());
    if (o.frame & FrameTop) painter.drawLine(r.topLeft(), r.topRight());
    if (o.frame & FrameRight) painter.drawLine(r.topRight(), r.bottomRight());
    if (o.frame & FrameBottom) painter.drawLine(r.bottomLeft(), r.bottomRight());
}


}  // namespace

void paintObject(QPainter& painter, const PreparedObject& o)
{
    const QRectF r = units(o.rect);
    switch (o.kind) {
    case ObjectKind::Text: {
        painter.setFont(unitFont(o.font));
        painter.setPen(Qt::black);
        // What the layout could not fit is cut at the object's edge, never drawn over its
        // neighbours.
        painter.save();
        painter.setClipRect(r, Qt::IntersectClip);
        painter.drawText(units(textArea(o.rect, o.frame)), textFlags(o.halign, o.valign, o.wordWrap), o.text);
        painter.restore();
        paintFrame(painter, o);
        break;
    }
    case ObjectKind::Line:
        painter.setPen(pen(o.lineWidth));
        painter.drawLine(r.topLeft(), r.bottomRight());
        break;
    case ObjectKind::Rect:
        painter.setPen(pen(o.lineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
        break;
    case ObjectKind::Picture: {
        const QImage image = QImage::fromData(o.picture);
        if (image.isNull())
            break;
        const QSizeF fitted = QSizeF(image.size()).scaled(r.size(), Qt::KeepAspectRatio);
        const QRectF target(r.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
        painter.drawImage(target, image);
        break;
    }
    }
}

void paintPage(QPainter& painter, const PreparedPage& page, double dotsPerMm)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(dotsPerMm / unitsPerMm, dotsPerMm / unitsPerMm);
    for (const PreparedBand& b : page.bands)
        for (const PreparedObject& o : b.objects)
            paintObject(painter, o);
    painter.restore();
}

QString paintDocument(QPagedPaintDevice& device, double dpi, const PreparedReport& report, int copies)
{
    if (report.pages.isEmpty() || copies <= 0)
        return {};
    auto setSize = [&](const PreparedPage& page) {
        const QPageLayout layout(QPageSize(page.size, QPageSize::Millimeter), QPageLayout::Portrait,
                                 QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        return device.setPageLayout(layout);
    };
    setSize(report.pages.first());
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("打印设备无法使用");
    bool first = true;
    QSizeF size = report.pages.first().size;
    for (int copy = 0; copy < copies; ++copy) {
        for (const PreparedPage& page : report.pages) {
            if (!first) {
                // Printers refuse a new layout once printing; change it only when it differs.
                if (page.size != size) {
                    setSize(page);
                    size = page.size;
                }
                if (!device.newPage()) {
                    painter.end();
                    return QStringLiteral("打印设备无法换页");
                }
            }
            first = false;
            paintPage(painter, page, dpi / 25.4);
        }
    }
    if (!painter.end())
        return QStringLiteral("打印未能完成");
    return {};
}

QString exportPdf(const PreparedReport& report, const QString& file)
{
    {
        QPdfWriter writer(file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("membercard"));
        const QString error = paintDocument(writer, writer.resolution(), report);
        if (!error.isEmpty())
            return error;
    }
    if (!QFile::exists(file))
        return QStringLiteral("无法写入文件 ") + file;
    return {};
}

}  // namespace mc::reports
