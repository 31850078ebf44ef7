// The generated schema on both engines: every column with its type and width, the indexes the
// rules depend on, and names that work unquoted.

#include "database.h"
#include "scratch_database.h"
#include "table.h"

#include <QSqlQuery>

using mc::db::exec;
using mc::db::scalar;
using mctest::Engine;
using mctest::EngineTest;
class Schema : public EngineTest {};
using schema::ColumnType;

namespace {

struct ColumnInfo {
    QString type;   // as the engine reports it, lower case
    int width = 0;  // characters, where the engine keeps one
    QString definitionSql;
};

ColumnInfo describe(const QSqlDatabase& db, const QString& table, const QString& column)
{
    ColumnInfo info;
    if (mc::db::engineOf(db) == Engine::Postgres) {
        QSqlQuery q = exec(db,
                           "select data_type, coalesce(character_maximum_length, 0) from information_schema.columns "
                           "where table_name = ? and column_name = ?",
                           {table, column});
        if (q.next()) {
            info.type = q.value(0).toString();
            info.width = q.value(1).toInt();
        }
    } else {
        QSqlQuery q = exec(db, QStringLiteral("select type from pragma_table_info(?) where name = ?"),
                           {table, column});
        if (q.next())
            info.type = q.value(0).toString().toLower();
        info.definitionSql = scalar(db, "select sql from sqlite_master where type = 'table' and name = ?", {table}).toString();
    }
    return info;
}

QString expectedType(ColumnType type, Engine engine)
{
    const bool pg = engine == Engine::Postgres;
    switch (type) {
    case ColumnType::AutoKey:
    case ColumnType::Integer: return "integer";
    case ColumnType::SmallInt: return pg ? "smallint" : "integer";
    case ColumnType::Text: return pg ? "character varying" : "text";
    case ColumnType::Memo: return "text";
    case ColumnType::Double: return pg ? "double precision" : "real";
    case ColumnType::Boolean: return pg ? "boolean" : "integer";
    case ColumnType::DateTime: return pg ? "timestamp without time zone" : "text";
    }
    return {};
}

}  // namespace

TEST_P(Schema, EveryDescribedColumnExistsWithItsTypeAndWidth)
{
    int columns = 0;
    for (const auto& table : schema::accountSetTables()) {
        const QString t = QString::fromUtf8(table.name.data(), qsizetype(table.name.size())).toLower();
        for (const auto& column : table.columns) {
            const QString c = QString::fromUtf8(column.name.data(), qsizetype(column.name.size())).toLower();
            const ColumnInfo info = describe(db(), t, c);
            EXPECT_EQ(info.type, expectedType(column.type, GetParam())) << t.toStdString() << "." << c.toStdString();
            if (column.type == ColumnType::Text && GetParam() == Engine::Postgres) {
                EXPECT_EQ(info.width, column.width) << t.toStdString() << "." << c.toStdString();
            }
            ++columns;
        }
    }
    EXPECT_GT(columns, 0);
}

TEST_P(Schema, TextWidthsAreEnforcedInCharactersNotBytes)
{
    // memberno holds 20 characters; Chinese text counts by characters in both engines.
    const QString fits(20, QChar(u'号'));
    exec(db(), "insert into membercurlist(memberno, truecard) values(?, ?)", {fits, "c1"});
    EXPECT_THROW(exec(db(), "insert into membercurlist(memberno, truecard) values(?, ?)",
                      {fits + u'号', "c2"}),
                 mc::db::DbError);
    EXPECT_EQ(scalar(db(), "select count(*) from membercurlist").toInt(), 1);
}

// (table, column, a second column to fill so the row is valid or empty)
struct UniqueCase {
    const char* table;
    const char* column;
};

TEST_P(Schema, UniqueIndexesRefuseASecondEqualValue)
{
    const UniqueCase cases[] = {
        {"ysydjno", "djcode"}, {"gsyg", "ygid"},     {"gszh", "zhname"},   {"membercurlist", "memberno"},
        {"membercurlist", "truecard"}, {"xssp", "spno"}, {"spclass", "classno"}, {"dhsp", "spno"},
        {"spxfjf", "spclass"},
    };
    for (const auto& c : cases) {
        const QString insert = QStringLiteral("insert into %1(%2) values(?)").arg(c.table, c.column);
        exec(db(), insert, {"x01"});
        try {
            exec(db(), insert, {"x01"});
            ADD_FAILURE() << c.table << "." << c.column << " accepted a duplicate";
        } catch (const mc::db::DbError& e) {
            EXPECT_TRUE(e.isUniqueViolation()) << c.table << "." << c.column << ": " << e.text().toStdString();
        }
        // A different value is still welcome.
        exec(db(), insert, {"x02"});
    }
}

TEST_P(Schema, OnlyOneShiftCanBeOpenAtATime)
{
    const QString insert = "insert into actorjs(actorid, isjs) values(?, ?)";
    exec(db(), insert, {"a", true});
    exec(db(), insert, {"b", true});
    exec(db(), insert, {"c", false});
    EXPECT_THROW(exec(db(), insert, {"d", false}), mc::db::DbError);
    exec(db(), "update actorjs set isjs = true where actorid = ?", {"c"});
    exec(db(), insert, {"d", false});
    EXPECT_EQ(scalar(db(), "select count(*) from actorjs where isjs = false").toInt(), 1);
}

TEST_P(Schema, DefaultsFillWhatAnInsertLeavesOut)
{
    exec(db(), "insert into xssp(spno) values(?)", {"g1"});
    QSqlQuery q = exec(db(), "select kcsl, xsjg, istj from xssp where spno = ?", {"g1"});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toDouble(), 0.0);
    EXPECT_EQ(q.value(1).toDouble(), 0.0);
    EXPECT_FALSE(q.value(2).toBool());

    exec(db(), "insert into xfjf(jfzt) values(?)", {false});
    q = exec(db(), "select jffs, mxfje, tjjf, tjspbjf, jfdhfs from xfjf");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("消费时积分"));
    EXPECT_EQ(q.value(1).toDouble(), 1.0);
    EXPECT_EQ(q.value(2).toInt(), 10);
    EXPECT_TRUE(q.value(3).toBool());
    EXPECT_EQ(q.value(4).toInt(), 3);
}

TEST_P(Schema, ColumnNamesWorkUnquotedExceptTheOneReservedWord)
{
    // Queries elsewhere name columns without quotes; only selffields.default needs them.
    for (const auto& table : schema::accountSetTables()) {
        QStringList names;
        for (const auto& column : table.columns)
            if (column.name != "default")
                names << QString::fromUtf8(column.name.data(), qsizetype(column.name.size()));
        const QString sql = QStringLiteral("select %1 from %2 where 1 = 0")
                                .arg(names.join(u','), QString::fromUtf8(table.name.data(), qsizetype(table.name.size())));
        EXPECT_NO_THROW(exec(db(), sql)) << sql.toStdString();
    }
    EXPECT_NO_THROW(exec(db(), "select \"default\" from selffields"));
}

MC_ENGINES(Schema);
