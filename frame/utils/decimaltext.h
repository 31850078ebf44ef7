#pragma once
// Fixed-point text of a number as the user wrote it, rounded half away from zero.

#include <QString>

namespace mc {

// `places` decimals (0 or more). The value is first taken at 15 significant digits, which
// recovers the decimal the user typed, so 2.675 gives "2.68" although the double lies just below.
QString fixedText(double value, int places);

}  // namespace mc
