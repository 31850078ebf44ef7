#pragma once
// Registers the frame's own windows with the main menu: permissions (Q1), system settings
// (T1) and About (G1).

namespace mc {

void registerFrameWindows();

}  // namespace mc
