#pragma once
// Painting prepared pages on any paint device, and the PDF export.

#include "prepared_report.h"

#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace mc::reports {

// Paints one object; the painter works in units of 0.01 mm (see text_metrics.h).
void paintObject(QPainter& painter, const PreparedObject& object);

// Paints one page with its top-left corner at the painter's origin; `dotsPerMm` is the
// device's resolution.
void paintPage(QPainter& painter, const PreparedPage& page, double dotsPerMm);

// Paints `copies` copies of the report, page after page, each page at its own size. The device
// must not be painted on yet. Returns an error text, empty on success.
QString paintDocument(QPagedPaintDevice& device, double dpi, const PreparedReport& report, int copies = 1);

// Writes the prepared report as a PDF file. Returns an error text, empty on success.
QString exportPdf(const PreparedReport& report, const QString& file);

}  // namespace mc::reports
