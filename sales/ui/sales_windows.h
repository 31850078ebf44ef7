#pragma once

namespace mc::sales {

// Registers the windows of the sales subsystem for their menu items.
void registerWindows();

}  // namespace mc::sales
