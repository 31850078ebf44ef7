// The authentication cipher of the AT1608 and AT153 cards: from the card's current
// cryptogram, the secret seed and the host's challenge it gives the cryptogram the card will
// hold next (E) and the one the host proves itself with (H). The card computes the same.
#pragma once
#include <array>
#include <cstdint>

namespace tavrik::authcipher {

using Block = std::array<std::uint8_t, 8>;

struct Result {
    Block expected;  // E
    Block host;      // H
};

// Starts from a zeroed state every time: equal inputs give equal results.
Result compute(const Block &seed, const Block &cryptogram, const Block &challenge);

}  // namespace tavrik::authcipher
