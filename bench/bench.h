#pragma once

#include <QString>

#include <functional>

namespace bench {

// Runs `step` `rounds` times and prints the mean and the slowest time per call.
void measure(const QString& label, int rounds, const std::function<void()>& step);

void createdhBenchmarks();

}  // namespace bench
