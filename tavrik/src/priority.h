// The host process runs at a raised priority while a port is open, when it may.
#pragma once

namespace tavrik {

// Raises the priority once; left alone when that needs privileges the process lacks.
void raisePriority();
// Returns to the priority from before; false when that failed.
bool restorePriority();

}  // namespace tavrik
