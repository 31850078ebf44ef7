// The engine-specific expressions give the same answers on both engines.

#include "database.h"
#include "dialect.h"
#include "scratch_database.h"

using mc::db::exec;
using mc::db::scalar;
using mctest::EngineTest;

class Dialects : public EngineTest {
protected:
    mc::db::Dialect d() const { return mc::db::Dialect(GetParam()); }
};

TEST_P(Dialects, DatePartsOfAStoredDateTime)
{
    exec(db(), "insert into membercurlist(memberno, truecard, birthday) values(?, ?, ?)",
         {"1", "1", QDateTime(QDate(2026, 3, 7), QTime(23, 59, 58))});
    const QString from = " from membercurlist";
    EXPECT_EQ(scalar(db(), "select " + d().dayText("birthday") + from).toString(), "2026-03-07");
    EXPECT_EQ(scalar(db(), "select " + d().monthDayText("birthday") + from).toString(), "03-07");
    EXPECT_EQ(scalar(db(), "select " + d().yearOf("birthday") + from).toInt(), 2026);
    EXPECT_EQ(scalar(db(), "select " + d().monthOf("birthday") + from).toInt(), 3);
    EXPECT_EQ(scalar(db(), "select count(*) from membercurlist where " + d().dayText("birthday") + " <= ?",
                     {"2026-03-07"}).toInt(), 1);
}

TEST_P(Dialects, ContainsTakesWildcardsLiterallyAndIgnoresCase)
{
    for (const char* name : {"Ab 50% off", "Ab 500 off", "a_b", "axb", "back\\slash"})
        exec(db(), "insert into gszh(zhname) values(?)", {QString::fromUtf8(name)});
    const QString sql = "select count(*) from gszh where " + d().containsCondition("zhname");
    const struct {
        const char* text;
        int matches;
    } cases[] = {{"50%", 1}, {"ab", 2}, {"a_b", 1}, {"\\s", 1}, {"", 5}};
    for (const auto& c : cases)
        EXPECT_EQ(scalar(db(), sql, {mc::db::Dialect::likePattern(QString::fromUtf8(c.text))}).toInt(), c.matches)
            << c.text;
}

TEST_P(Dialects, LimitAndBooleans)
{
    for (int i = 0; i < 3; ++i)
        exec(db(), "insert into actorjs(actorid, isjs) values(?, ?)", {QString::number(i), true});
    EXPECT_EQ(scalar(db(), "select count(*) from (select pid from actorjs" + d().limit(2) + ") x").toInt(), 2);
    EXPECT_EQ(scalar(db(), "select count(*) from actorjs where isjs = " + d().boolean(true)).toInt(), 3);
    EXPECT_EQ(scalar(db(), "select count(*) from actorjs where isjs = " + d().boolean(false)).toInt(), 0);
}

MC_ENGINES(Dialects);
