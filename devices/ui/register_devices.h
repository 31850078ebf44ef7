#pragma once
// The card-device windows that the main menu opens.

namespace mc::devices {

void registerWindows();

}  // namespace mc::devices
