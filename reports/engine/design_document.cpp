#include "design_document.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace mc::reports {

namespace {

double snap(double mm)
{
    return std::round(mm * 10) / 10;
}

int printOrder(BandType type)
{
    return int(allBandTypes().indexOf(type));
}

}  // namespace

QString DesignDocument::bandLabel(int band) const
{
    const Band& b = report_.bands[band];
    QString label = bandTypeCaption(b.type);
    if (!b.name.isEmpty())
        label += u' ' + b.name;
    if (!b.source.isEmpty())
        label += QStringLiteral(" (") + b.source + u')';
    return label;
}

int DesignDocument::addBand(BandType type)
{
    Band b;
    b.type = type;
    b.height = type == BandType::ReportTitle ? 15 : 6;
    if (type == BandType::MasterData)
        b.source = printSource;
    else if (type == BandType::DetailData)
        b.source = otherSource;
    QSet<QString> names;
    for (const Band& other : report_.bands)
        names.insert(other.name);
    const QString stem = bandTypeName(type).toLower();
    for (int n = 1;; ++n) {
        b.name = stem + QString::number(n);
        if (!names.contains(b.name))
            break;
    }
    qsizetype at = 0;
    for (qsizetype i = 0; i < report_.bands.size(); ++i)
        if (printOrder(report_.bands[i].type) <= printOrder(type))
            at = i + 1;
    report_.bands.insert(at, b);
    modified_ = true;
    return int(at);
}

void DesignDocument::removeBand(int band)
{
    report_.bands.removeAt(band);
    modified_ = true;
}

void DesignDocument::setBandHeight(int band, double height)
{
    const double snapped = std::max(1.0, snap(height));
    if (report_.bands[band].height != snapped) {
        report_.bands[band].height = snapped;
        modified_ = true;
    }
}

void DesignDocument::setBandSource(int band, const QString& source)
{
    if (report_.bands[band].source != source) {
        report_.bands[band].source = source;
        modified_ = true;
    }
}

int DesignDocument::addText(int band, const QRectF& rect, const QString& text)
{
    QSet<QString> names;
    for (const Band& b : report_.bands)
        for (const ReportObject& o : b.objects)
            names.insert(o.name);
    ReportObject o;
    for (int n = 1;; ++n) {
        o.name = QStringLiteral("memo") + QString::number(n);
        if (!names.contains(o.name))
            break;
    }
    o.rect = rect;
    o.text = text;
    QList<ReportObject>& objects = report_.bands[band].objects;
    objects << o;
    modified_ = true;
    const int index = int(objects.size() - 1);
    moveObject(band, index, rect.topLeft());
    resizeObject(band, index, rect.size());
    return index;
}

void DesignDocument::removeObject(int band, int object)
{
    report_.bands[band].objects.removeAt(object);
    modified_ = true;
}

void DesignDocument::edit(int band, int object, const std::function<void(ReportObject&)>& change)
{
    ReportObject& o = report_.bands[band].objects[object];
    const ReportObject before = o;
    change(o);
    // Setting what is already there (a click without a move, say) changes nothing.
    if (!(o == before))
        modified_ = true;
}

void DesignDocument::moveObject(int band, int object, const QPointF& topLeft)
{
    edit(band, object, [&](ReportObject& o) {
        o.rect.moveTopLeft(QPointF(std::max(0.0, snap(topLeft.x())), std::max(0.0, snap(topLeft.y()))));
    });
}

void DesignDocument::resizeObject(int band, int object, const QSizeF& size)
{
    edit(band, object, [&](ReportObject& o) {
        o.rect.setSize(QSizeF(std::max(1.0, snap(size.width())), std::max(1.0, snap(size.height()))));
    });
}

void DesignDocument::setText(int band, int object, const QString& text)
{
    edit(band, object, [&](ReportObject& o) { o.text = text; });
}

void DesignDocument::setFormat(int band, int object, const QString& format)
{
    edit(band, object, [&](ReportObject& o) { o.format = format; });
}

void DesignDocument::setFont(int band, int object, const FontStyle& font)
{
    edit(band, object, [&](ReportObject& o) { o.font = font; });
}

void DesignDocument::setAlignment(int band, int object, HAlign h, VAlign v)
{
    edit(band, object, [&](ReportObject& o) {
        o.halign = h;
        o.valign = v;
    });
}

void DesignDocument::setWordWrap(int band, int object, bool on)
{
    edit(band, object, [&](ReportObject& o) { o.wordWrap = on; });
}

void DesignDocument::setFrame(int band, int object, int sides)
{
    edit(band, object, [&](ReportObject& o) { o.frame = sides & (FrameLeft | FrameTop | FrameRight | FrameBottom); });
}

QString DesignDocument::fieldToken(const QString& source, const QString& column)
{
    return u'[' + source + QStringLiteral(".\"") + column + QStringLiteral("\"]");
}

}  // namespace mc::reports
