#pragma once

namespace mc::members {

// Registers the windows of the membership subsystem for their menu items.
void registerWindows();

}  // namespace mc::members
