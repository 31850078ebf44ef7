// Document numbers: per prefix and day, increasing, never handed out twice.

#include "database.h"
#include "run_together.h"
#include "scratch_database.h"
#include "services.h"

#include <QProcess>
#include <QSet>

#include <atomic>

using mc::createdh;
using mc::db::exec;
using mctest::EngineTest;

class DocumentNumbers : public EngineTest {
protected:
    const QDate day{2026, 12, 9};
    void seed(const QString& code) { exec(db(), "insert into ysydjno(djcode, djclass) values(?, '消费单')", {code}); }
};

TEST_P(DocumentNumbers, FollowTheSequenceOfTheirPrefixAndDay)
{
    EXPECT_EQ(createdh(db(), "xfd", day), "xfd261209001");
    EXPECT_EQ(createdh(db(), "xfd", day), "xfd261209002");
    // Other prefixes and other days have sequences of their own.
    EXPECT_EQ(createdh(db(), "fhd", day), "fhd261209001");
    EXPECT_EQ(createdh(db(), "xfd", day.addDays(1)), "xfd261210001");
    EXPECT_EQ(createdh(db(), "xfd", day), "xfd261209003");
    EXPECT_EQ(mc::db::scalar(db(), "select djclass from ysydjno where djcode = 'fhd261209001'").toString(),
              QStringLiteral("消费单"));
}

TEST_P(DocumentNumbers, CarryOverDecimalPlaces)
{
    const struct {
        const char* last;
        const char* next;
    } cases[] = {
        {"xfd261209009", "xfd261209010"},
        {"xfd261209099", "xfd261209100"},
        {"xfd261209999", "xfd2612091000"},
    };
    for (const auto& c : cases) {
        seed(c.last);
        EXPECT_EQ(createdh(db(), "xfd", day), c.next) << c.last;
    }
}

TEST_P(DocumentNumbers, BeyondNineHundredNinetyNineTheHighestByValueCounts)
{
    // By text order "…999" sorts after "…1000"; the next number must still be 1001.
    seed("xfd261209998");
    seed("xfd261209999");
    seed("xfd2612091000");
    EXPECT_EQ(createdh(db(), "xfd", day), "xfd2612091001");
    EXPECT_EQ(createdh(db(), "xfd", day), "xfd2612091002");
}

TEST_P(DocumentNumbers, TwoConnectionsRacingNeverShareANumber)
{
    constexpr int perThread = 40;
    std::atomic<int> failures{0};
    QStringList issued[2];
    auto work = [&](int i) {
        const QString name = QStringLiteral("racer%1").arg(i);
        {
            QSqlDatabase conn = scratch->connect(name);
            for (int n = 0; n < perThread; ++n) {
                try {
                    issued[i] << createdh(conn, "xfd", day);
                } catch (const mc::db::DbError&) {
                    ++failures;
                }
            }
        }
        mc::db::closeConnection(name);
    };
    mctest::runTogether(work);

    EXPECT_EQ(failures, 0);
    QSet<QString> all;
    for (const auto& list : issued)
        for (const auto& n : list)
            all.insert(n);
    EXPECT_EQ(all.size(), 2 * perThread);
    // Together they form one unbroken sequence.
    for (int n = 1; n <= 2 * perThread; ++n)
        EXPECT_TRUE(all.contains(QStringLiteral("xfd261209%1").arg(n, 3, 10, QLatin1Char('0')))) << n;
}

TEST_P(DocumentNumbers, TwoProcessesRacingNeverShareANumber)
{
    const QString target = GetParam() == mctest::Engine::Sqlite
                               ? QStringLiteral("sqlite:") + scratch->sqliteFile()
                               : QStringLiteral("pg:") + scratch->db().databaseName();
    constexpr int perProcess = 40;
    QProcess p[2];
    for (auto& proc : p)
        proc.start(CREATEDH_RACER, {target, QString::number(perProcess), day.toString(Qt::ISODate)});
    QSet<QString> all;
    for (auto& proc : p) {
        ASSERT_TRUE(proc.waitForFinished(120000));
        EXPECT_EQ(proc.exitCode(), 0) << proc.readAllStandardError().toStdString();
        for (const auto& line : QString::fromUtf8(proc.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            all.insert(line.trimmed());
    }
    EXPECT_EQ(all.size(), 2 * perProcess);
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from ysydjno").toInt(), 2 * perProcess);
}

MC_ENGINES(DocumentNumbers);
