// membercard-bench: builds (or reuses) a synthetic account set through the services and prints
// how long the counter operations take on it.
//   membercard-bench --data DIR [--members N] [--journal M] [--ops K] [--pg "host=…;port=…;user=…"]
//   membercard-bench --createdh   (the document-number benchmarks on scratch databases)

#include "bench.h"
#include "operations.h"
#include "scratch_database.h"
#include "synthetic_set.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace bench {

void say(const QString& line)
{
    QTextStream(stdout) << line << Qt::endl;
}

void progress(const QString& line)
{
    QTextStream(stderr) << line << Qt::endl;
}

void measure(const QString& label, int rounds, const std::function<void()>& step)
{
    const std::vector<qint64> ns = timeEach(rounds, [&](int) { step(); });
    qint64 total = 0;
    for (const qint64 n : ns)
        total += n;
    say(QStringLiteral("%1: mean %2 µs, slowest %3 µs over %4 calls")
            .arg(label)
            .arg(total / rounds / 1000.0, 0, 'f', 1)
            .arg(*std::max_element(ns.begin(), ns.end()) / 1000.0, 0, 'f', 1)
            .arg(rounds));
}

std::vector<qint64> timeEach(int rounds, const std::function<void(int)>& step)
{
    std::vector<qint64> ns;
    ns.reserve(size_t(rounds));
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        step(i);
        ns.push_back(timer.nsecsElapsed());
    }
    return ns;
}

double quantileMs(std::vector<qint64> ns, double q)
{
    if (ns.empty())
        return 0;
    std::sort(ns.begin(), ns.end());
    return double(ns[std::min(ns.size() - 1, size_t(q * double(ns.size())))]) / 1e6;
}

}  // namespace bench

namespace {

// The options, or the reason they do not make sense.
std::optional<bench::Options> parse(QCommandLineParser& parser, QString& problem)
{
    bench::Options o;
    o.createdh = parser.isSet(QStringLiteral("createdh"));
    o.data = parser.value(QStringLiteral("data"));
    if (parser.isSet(QStringLiteral("pg")))
        o.pg = mctest::serverSettings(parser.value(QStringLiteral("pg")));
    for (const auto& [name, field] : {std::pair{"members", &bench::Options::members},
                                      std::pair{"journal", &bench::Options::journal},
                                      std::pair{"ops", &bench::Options::ops}}) {
        if (!parser.isSet(QLatin1String(name)))
            continue;
        bool ok = false;
        o.*field = parser.value(QLatin1String(name)).toInt(&ok);
        if (!ok || o.*field < 1) {
            problem = QStringLiteral("--%1 must be a positive whole number").arg(QLatin1String(name));
            return std::nullopt;
        }
    }
    if (!o.createdh && o.data.isEmpty()) {
        problem = QStringLiteral("--data DIR is required");
        return std::nullopt;
    }
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the counter operations on a large synthetic account set."));
    parser.addHelpOption();
    parser.addOptions({{QStringLiteral("data"), QStringLiteral("Folder of the synthetic account set."), QStringLiteral("DIR")},
                       {QStringLiteral("members"), QStringLiteral("Members (default 100000)."), QStringLiteral("N")},
                       {QStringLiteral("journal"), QStringLiteral("Vouchers (default 1000000)."), QStringLiteral("M")},
                       {QStringLiteral("ops"), QStringLiteral("Calls per timed operation (default 1000)."), QStringLiteral("K")},
                       {QStringLiteral("pg"), QStringLiteral("PostgreSQL server instead of SQLite."),
                        QStringLiteral("host=…;port=…;user=…")},
                       {QStringLiteral("createdh"), QStringLiteral("Only the document-number benchmarks.")}});
    parser.process(app);
    QString problem;
    const std::optional<bench::Options> options = parse(parser, problem);
    if (!options) {
        bench::progress(problem);
        return 2;
    }
    try {
        if (options->createdh) {
            bench::createdhBenchmarks();
            return 0;
        }
        bench::say(QStringLiteral("engine: %1, members %2, journal %3, ops %4")
                       .arg(options->pg ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"))
                       .arg(options->members)
                       .arg(options->journal)
                       .arg(options->ops));
        const QSqlDatabase db = bench::openSyntheticSet(*options, QStringLiteral("bench"));
        bench::measureOperations(db, *options);
    } catch (const mc::db::DbError& e) {
        bench::progress(e.message());
        return 1;
    }
    return 0;
}
