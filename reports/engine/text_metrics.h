#pragma once
// Fonts and text measuring shared by the layout and the painting, so that a text measured to
// fit is painted the same way. Painting works in units of 0.01 mm, and fonts get pixel sizes
// in those units: measures then do not depend on any screen or printer resolution.

#include "report_template.h"

#include <QFont>
#include <QRectF>
#include <QString>

namespace mc::reports {

inline constexpr double unitsPerMm = 100.0;

QFont unitFont(const FontStyle& style);
int textFlags(HAlign h, VAlign v, bool wordWrap);
// Height in millimetres that `text` needs in a box `widthMm` wide.
double textHeight(const FontStyle& style, double widthMm, const QString& text, bool wordWrap);

// Where a text is written inside its object: a framed text keeps off its frame lines.
QRectF textArea(const QRectF& objectMm, int frame);
// The height an object needs so that its text fits inside the frame padding.
double framedHeight(const FontStyle& style, const QRectF& objectMm, int frame, const QString& text, bool wordWrap);
// The font, made smaller as far as is still readable, under which `text` fits the object;
// the style itself when it fits already.
FontStyle fittingFont(const FontStyle& style, const QRectF& objectMm, int frame, const QString& text, bool wordWrap);

}  // namespace mc::reports
