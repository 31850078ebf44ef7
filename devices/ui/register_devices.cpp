#include "register_devices.h"

#include "frmmachine.h"
#include "window_registry.h"

namespace mc::devices {

void registerWindows()
{
    registerWindow(QStringLiteral("N2"), WindowEntry::Kind::Modal, [](QWidget* parent) { return new Tfrmmachine(parent); });
}

}  // namespace mc::devices
