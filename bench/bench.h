#pragma once

#include "database.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace bench {

struct Options {
    QString data;
    int members = 100000;
    int journal = 1000000;
    int ops = 1000;
    std::optional<mc::db::ServerSettings> pg;  // PostgreSQL instead of SQLite
    bool createdh = false;                     // the document-number benchmarks only
};

// Runs `step` `rounds` times and prints the mean and the slowest time per call.
void measure(const QString& label, int rounds, const std::function<void()>& step);

// The time of each of `rounds` calls of `step(i)`, in nanoseconds.
std::vector<qint64> timeEach(int rounds, const std::function<void(int)>& step);
// The `q` quantile (0–1) of the times, in milliseconds.
double quantileMs(std::vector<qint64> ns, double q);

// Prints to standard output / standard error (progress).
void say(const QString& line);
void progress(const QString& line);

void createdhBenchmarks();

}  // namespace bench
