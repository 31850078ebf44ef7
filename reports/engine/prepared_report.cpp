#include "prepared_report.h"

namespace mc::reports {

PreparedObject placeObject(const ReportObject& o, const QPointF& offset, const QString& text)
{
    PreparedObject p;
    p.kind = o.kind;
    p.name = o.name;
    p.rect = o.rect.translated(offset);
    p.text = text;
    p.font = o.font;
    p.halign = o.halign;
    p.valign = o.valign;
    p.frame = o.frame;
    p.wordWrap = o.wordWrap;
    p.lineWidth = o.lineWidth;
    p.picture = o.picture;
    return p;
}

QStringList PreparedReport::texts() const
{
    QStringList list;
    for (const PreparedPage& p : pages)
        for (const PreparedBand& b : p.bands)
            for (const PreparedObject& o : b.objects)
                if (o.kind == ObjectKind::Text)
                    list << o.text;
    return list;
}

QList<const PreparedObject*> PreparedReport::objects(const QString& name) const
{
    QList<const PreparedObject*> list;
    for (const PreparedPage& p : pages)
        for (const PreparedBand& b : p.bands)
            for (const PreparedObject& o : b.objects)
                if (o.name == name)
                    list << &o;
    return list;
}

QList<const PreparedBand*> PreparedReport::bands(BandType type) const
{
    QList<const PreparedBand*> list;
    for (const PreparedPage& p : pages)
        for (const PreparedBand& b : p.bands)
            if (b.type == type)
                list << &b;
    return list;
}

}  // namespace mc::reports
