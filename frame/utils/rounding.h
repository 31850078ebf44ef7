#pragma once
// The rounding rule for money amounts.

namespace mc {

// Rounds `value` to `places` decimals: first to three decimals, half away from zero, then by the
// first dropped digit of that text. The double step is intended: 1.2449 to two places is 1.25.
// A negative `places` or a value of 0 gives 0. Works in double precision throughout.
double roundto(int places, double value);

}  // namespace mc
