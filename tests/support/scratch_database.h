#pragma once
// A fresh account-set database per test, on SQLite or on the PostgreSQL test server.

#include "database.h"
#include "engine.h"
#include "qt_print.h"

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mctest {

using schema::Engine;

// "host=…;port=…;user=…[;password=…]" as server settings on the database "postgres".
mc::db::ServerSettings serverSettings(const QString& settings);

// The PostgreSQL test server from MEMBERCARD_TEST_PG ("host=…;port=…;user=…"), if any.
std::optional<mc::db::ServerSettings> testServer();

// Use at the top of a test: skips without a server, but fails under CI, where PostgreSQL
// tests must run.
#define MC_REQUIRE_ENGINE(engine)                                                              \
    do {                                                                                       \
        if ((engine) == ::mctest::Engine::Postgres && !::mctest::testServer()) {               \
            if (qEnvironmentVariableIsSet("CI"))                                               \
                FAIL() << "MEMBERCARD_TEST_PG is not set under CI";                            \
            GTEST_SKIP() << "no PostgreSQL test server (MEMBERCARD_TEST_PG)";                  \
        }                                                                                      \
    } while (0)

class ScratchDatabase {
public:
    // With `withSchema` every account-set table is created.
    explicit ScratchDatabase(Engine engine, bool withSchema = true);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    Engine engine() const { return engine_; }
    QSqlDatabase db() const;
    // Another connection to the same database, as a second workstation would have.
    QSqlDatabase connect(const QString& connectionName) const;
    QString sqliteFile() const { return file_; }
    const QString& connectionName() const { return name_; }
    QString folder() const { return dir_.path(); }

private:
    Engine engine_;
    QTemporaryDir dir_;
    QString name_;
    QString file_;
    mc::db::ServerSettings server_;
};

std::string engineName(const testing::TestParamInfo<Engine>& info);

// A test suite run once per engine.
class EngineTest : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    std::optional<ScratchDatabase> scratch;
    QSqlDatabase db() const { return scratch->db(); }
};

#define MC_ENGINES(suite)                                                                      \
    INSTANTIATE_TEST_SUITE_P(Engines, suite,                                                    \
                             testing::Values(::mctest::Engine::Sqlite, ::mctest::Engine::Postgres), \
                             ::mctest::engineName)

}  // namespace mctest
