#pragma once
// Tiling the child windows in one row or one column, as the window menu offers, and the
// background behind them.

class QColor;
class QMdiArea;

namespace mc {

// Horizontally: one above the other, each the full width. Vertically: side by side, each the
// full height. Minimised windows are left as they are.
void tileSubWindows(QMdiArea* area, bool horizontally);

// A gradient from `top` to `bottom` over the whole area, kept whole when it is repainted in parts.
void setGradientBackground(QMdiArea* area, const QColor& top, const QColor& bottom);

}  // namespace mc
