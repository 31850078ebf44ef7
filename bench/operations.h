#pragma once
// The timed operations on the synthetic set: card lookup, checkout saves, registration, and the
// rows of a checkout written as raw SQL for comparison.

#include "bench.h"

namespace bench {

// Prints p50/p99 per operation and, last, the summary line.
void measureOperations(const QSqlDatabase& db, const Options& options);

}  // namespace bench
