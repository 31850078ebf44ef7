#pragma once
// Tiling the child windows in one row or one column, as the window menu offers.

class QMdiArea;

namespace mc {

// Horizontally: one above the other, each the full width. Vertically: side by side, each the
// full height. Minimised windows are left as they are.
void tileSubWindows(QMdiArea* area, bool horizontally);

}  // namespace mc
