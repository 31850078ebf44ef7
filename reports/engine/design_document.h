#pragma once
// The editing steps of the designer on a template, without widgets: bands added in their
// printing place and removed, text objects placed, moved, resized and edited, fields picked.

#include "data_source.h"
#include "report_template.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>

namespace mc::reports {

class DesignDocument {
public:
    explicit DesignDocument(ReportTemplate report = {}) : report_(std::move(report)) {}

    const ReportTemplate& report() const { return report_; }
    // True after any edit that changed the template; setting a value it already has is none.
    bool modified() const { return modified_; }
    void setModified(bool on) { modified_ = on; }

    // "主数据 masterdata1 (frxprint)": what the band list shows.
    QString bandLabel(int band) const;
    // Inserts after the last band that prints before or with `type`; returns its index.
    // Data bands start on "frxprint" (master) or "frxother" (detail).
    int addBand(BandType type);
    void removeBand(int band);
    void setBandHeight(int band, double height);
    void setBandSource(int band, const QString& source);

    // A new text object; its name is the first free "memoN". Returns its index in the band.
    int addText(int band, const QRectF& rect, const QString& text);
    void removeObject(int band, int object);
    // Positions snap to 0.1 mm and stay inside the band's left and top edges; sizes are at
    // least 1 mm.
    void moveObject(int band, int object, const QPointF& topLeft);
    void resizeObject(int band, int object, const QSizeF& size);
    void setText(int band, int object, const QString& text);
    void setFormat(int band, int object, const QString& format);
    void setFont(int band, int object, const FontStyle& font);
    void setAlignment(int band, int object, HAlign h, VAlign v);
    void setWordWrap(int band, int object, bool on);
    void setFrame(int band, int object, int sides);

    const ReportObject& object(int band, int object) const { return report_.bands[band].objects[object]; }

    // The text a picked field adds: [frxprint."membername"].
    static QString fieldToken(const QString& source, const QString& column);

private:
    // Applies `change` to the object; the document counts as modified only when it changed.
    void edit(int band, int object, const std::function<void(ReportObject&)>& change);

    ReportTemplate report_;
    bool modified_ = false;
};

}  // namespace mc::reports
