// membercard-bench: prints how long the hot paths take on large synthetic account sets.

#include "bench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

namespace bench {

void measure(const QString& label, int rounds, const std::function<void()>& step)
{
    QElapsedTimer timer;
    qint64 total = 0, slowest = 0;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        step();
        const qint64 ns = timer.nsecsElapsed();
        total += ns;
        slowest = std::max(slowest, ns);
    }
    QTextStream(stdout) << label << ": mean " << QString::number(total / rounds / 1000.0, 'f', 1)
                        << " µs, slowest " << QString::number(slowest / 1000.0, 'f', 1) << " µs over "
                        << rounds << " calls\n";
}

}  // namespace bench

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bench::createdhBenchmarks();
    return 0;
}
