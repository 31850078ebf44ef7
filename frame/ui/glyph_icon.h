#pragma once
// The pictures of the tool bar: one character on a coloured tile, drawn at run time so the
// program ships no image files.

#include <QColor>
#include <QIcon>
#include <QString>

namespace mc {

QIcon glyphIcon(const QString& glyph, const QColor& tile, int size = 32);

// The program's own icon, on the main window and every window it opens.
QIcon programIcon();

}  // namespace mc
