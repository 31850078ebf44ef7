#pragma once
// A report laid out on pages: every band placed, every text resolved. Lengths in millimetres,
// positions relative to the page's top-left corner.

#include "report_template.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace mc::reports {

struct PreparedObject {
    ObjectKind kind = ObjectKind::Text;
    QString name;
    QRectF rect;
    QString text;
    FontStyle font;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
    int frame = 0;
    bool wordWrap = false;
    double lineWidth = 0.2;
    QByteArray picture;
};

// A template object placed at `offset` (the band's top-left corner on the page) with `text`.
PreparedObject placeObject(const ReportObject& object, const QPointF& offset, const QString& text);

struct PreparedBand {
    BandType type = BandType::MasterData;
    QString name;
    QRectF rect;
    int row = -1;  // the data row that drove the band, −1 for the others
    QList<PreparedObject> objects;
};

struct PreparedPage {
    QSizeF size;
    QList<PreparedBand> bands;
};

struct PreparedReport {
    QList<PreparedPage> pages;
    // Fields and sources the template names that were not there, each once.
    QStringList errors;

    // Every text in printing order, page after page.
    QStringList texts() const;
    // Every placed object of that name, in printing order.
    QList<const PreparedObject*> objects(const QString& name) const;
    // Every placed band of that type, in printing order.
    QList<const PreparedBand*> bands(BandType type) const;
};

}  // namespace mc::reports
