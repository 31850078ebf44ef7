#pragma once

namespace mc::books {

// Registers 账务核对 for its menu item.
void registerWindows();

}  // namespace mc::books
