// The protocol's fixed pauses by rate, and the bound on every wait for the reader.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrik {

// The protocol's fixed pauses: sleeps without using the processor, and counts them.
void pause(int ms);
// Milliseconds spent in pause() so far, for measuring how much of a sequence is fixed waiting.
std::uint64_t pausedMs();
// The last few pauses, oldest first, so that a test can tell which waits a command made.
std::vector<int> recentPauses();
// Sleeps between polls of the port; not one of the fixed pauses.
void nap(int ms);

// No wait for the reader lasts longer than this without a byte arriving. The reader's
// own firmware answers within milliseconds; a silent port must not hang the host.
int silenceLimitMs();
// Internal hook for tests that exercise silent readers; production never changes it.
void setSilenceLimitMs(int ms);

// Settling time after the first characters of a reply unit arrive.
int unitSettleMs(std::uint32_t baud);
// Lead time before the first character of a hex block read.
int blockReadLeadMs(std::uint32_t baud);
// Wait after each full 64-byte block of a hex block write.
int blockAckWaitMs(std::uint32_t baud);
// Wait after the last partial block when the reader sends no acknowledgement.
int finalBlockWaitMs(std::uint32_t baud, std::size_t blockLength);

}  // namespace tavrik
