#include "scratch_database.h"

#include "create.h"
#include "table.h"

#include <QStringList>
#include <QUuid>

namespace mctest {

mc::db::ServerSettings serverSettings(const QString& settings)
{
    mc::db::ServerSettings s;
    s.database = QStringLiteral("postgres");
    for (const QString& part : settings.split(u';', Qt::SkipEmptyParts)) {
        const QString key = part.section(u'=', 0, 0).trimmed();
        const QString value = part.section(u'=', 1).trimmed();
        if (key == QLatin1String("host"))
            s.host = value;
        else if (key == QLatin1String("port"))
            s.port = value.toInt();
        else if (key == QLatin1String("user"))
            s.user = value;
        else if (key == QLatin1String("password"))
            s.password = value;
    }
    return s;
}

std::optional<mc::db::ServerSettings> testServer()
{
    const QString settings = qEnvironmentVariable("MEMBERCARD_TEST_PG");
    if (settings.isEmpty())
        return std::nullopt;
    return serverSettings(settings);
}

namespace {

QString uniqueName(const QString& prefix)
{
    return prefix + QUuid::createUuid().toString(QUuid::Id128).left(16);
}

void adminExec(const mc::db::ServerSettings& server, const QString& sql)
{
    const QString name = uniqueName(QStringLiteral("admin"));
    {
        QSqlDatabase admin = mc::db::openServer(name, server);
        mc::db::exec(admin, sql);
    }
    mc::db::closeConnection(name);
}

}  // namespace

ScratchDatabase::ScratchDatabase(Engine engine, bool withSchema)
    : engine_(engine), name_(uniqueName(QStringLiteral("scratch")))
{
    QSqlDatabase db;
    if (engine == Engine::Sqlite) {
        file_ = dir_.filePath(QStringLiteral("set.mdb"));
        db = mc::db::createSqlite(name_, file_);
    } else {
        server_ = *testServer();
        const QString database = uniqueName(QStringLiteral("mc_")).toLower();
        adminExec(server_, QStringLiteral("create database ") + database);
        server_.database = database;
        db = mc::db::openServer(name_, server_);
    }
    if (withSchema) {
        const QString error = schema::createTables(db, schema::accountSetTables());
        if (!error.isEmpty())
            throw mc::db::DbError(error, QStringLiteral("0"));
    }
}

ScratchDatabase::~ScratchDatabase()
{
    mc::db::closeConnection(name_);
    if (engine_ == Engine::Postgres) {
        try {
            auto admin = server_;
            admin.database = QStringLiteral("postgres");
            adminExec(admin, QStringLiteral("drop database if exists %1 with (force)").arg(server_.database));
        } catch (const mc::db::DbError&) {
            // The throw-away cluster is removed after the run anyway.
        }
    }
}

QSqlDatabase ScratchDatabase::db() const
{
    return QSqlDatabase::database(name_, false);
}

QSqlDatabase ScratchDatabase::connect(const QString& connectionName) const
{
    return engine_ == Engine::Sqlite ? mc::db::openSqlite(connectionName, file_)
                                     : mc::db::openServer(connectionName, server_);
}

std::string engineName(const testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

void EngineTest::SetUp()
{
    MC_REQUIRE_ENGINE(GetParam());
    scratch.emplace(GetParam());
}

}  // namespace mctest
