#include "frame_windows.h"

#include "frmabout.h"
#include "frmqx.h"
#include "frmsysset.h"
#include "window_registry.h"

namespace mc {

void registerFrameWindows()
{
    registerWindow(QStringLiteral("Q1"), WindowEntry::Kind::Modal, [](QWidget* parent) { return new Tfrmqx(parent); });
    registerWindow(QStringLiteral("T1"), WindowEntry::Kind::Modal, [](QWidget* parent) { return new Tfrmsysset(parent); });
    registerWindow(QStringLiteral("G1"), WindowEntry::Kind::Modal, [](QWidget* parent) { return new Tfrmabout(parent); });
}

}  // namespace mc
