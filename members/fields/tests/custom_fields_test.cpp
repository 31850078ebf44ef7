// Custom member fields on both engines: columns added and dropped with their definitions,
// required columns on tables that hold members, names that must not reach DDL.

#include "custom_fields.h"

#include "database.h"
#include "scratch_database.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

using namespace mc::members;
using mc::db::exec;
using mc::db::scalar;

namespace {

FieldDefinition field(const QString& name, const QString& type, bool required = true, const QString& length = {})
{
    FieldDefinition f;
    f.name = name;
    f.display = name + QStringLiteral("标题");
    f.type = type;
    f.required = required;
    f.length = length;
    return f;
}

const QDate today(2026, 4, 1);

}  // namespace

class CustomFields : public mctest::EngineTest {
protected:
    bool hasColumn(const QString& name) const { return db().record("membercurlist").contains(name); }
    void addMember(const QString& no)
    {
        exec(db(), "insert into membercurlist(memberno, truecard, membername) values(?, ?, ?)", {no, no, no});
    }
};

TEST_P(CustomFields, FieldsOfEveryTypeWithAndWithoutMembers)
{
    // The first field goes to an empty table, the rest to one that holds a member.
    mc::Done r = addCustomField(db(), field("hobby", QStringLiteral("文本"), true, "20"), today);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.message, QStringLiteral("保存完成"));
    addMember("M001");
    for (const FieldDefinition& f : {field("visits", QStringLiteral("整数"), true), field("height", QStringLiteral("小数"), true),
                                     field("wedding", QStringLiteral("日期"), true), field("note", QStringLiteral("文本"), false),
                                     field("shoe", QStringLiteral("整数"), false), field("lastcall", QStringLiteral("日期"), false)}) {
        r = addCustomField(db(), f, today);
        EXPECT_TRUE(r.ok) << f.name.toStdString() << ": " << r.message.toStdString();
    }
    QSqlQuery m = exec(db(), "select hobby, visits, height, wedding, note, shoe, lastcall from membercurlist where memberno = 'M001'");
    ASSERT_TRUE(m.next());
    EXPECT_EQ(m.value(0).toString(), "");      // required columns took their defaults
    EXPECT_EQ(m.value(1).toInt(), 0);
    EXPECT_EQ(m.value(2).toDouble(), 0.0);
    EXPECT_EQ(mc::db::toDateTime(m.value(3)).date(), today);
    EXPECT_TRUE(m.value(4).isNull());          // optional ones stay empty
    EXPECT_TRUE(m.value(5).isNull());
    EXPECT_TRUE(m.value(6).isNull());

    // Required columns refuse an empty value; the text length is kept.
    EXPECT_THROW(exec(db(), "update membercurlist set visits = null"), mc::db::DbError);
    EXPECT_THROW(exec(db(), "update membercurlist set hobby = ?", {QString(21, u'x')}), mc::db::DbError);
    exec(db(), "update membercurlist set hobby = ?, height = ?, wedding = ?", {QString(20, u'x'), 172.5, QDateTime(QDate(2020, 5, 20), QTime(0, 0))});

    const QList<CustomField> fields = customFields(db());
    ASSERT_EQ(fields.size(), 7);
    EXPECT_EQ(fields[0].name, "hobby");
    EXPECT_EQ(fields[0].order, 1);             // the first field of an empty list
    EXPECT_EQ(fields[0].length, 20);
    EXPECT_EQ(fields[6].order, 7);
    EXPECT_TRUE(fields[6].mustFill);
    EXPECT_EQ(fields[3].caption(), QStringLiteral("wedding标题"));
    QSqlQuery row = exec(db(), "select isbx, isxs, iszero, sysfield from selffields where fieldname = 'note'");
    ASSERT_TRUE(row.next());
    EXPECT_FALSE(row.value(0).toBool());
    EXPECT_TRUE(row.value(1).toBool());
    EXPECT_TRUE(row.value(2).toBool());
    EXPECT_FALSE(row.value(3).toBool());
}

TEST_P(CustomFields, DropRemovesColumnAndDefinitionTogether)
{
    addMember("M001");
    ASSERT_TRUE(addCustomField(db(), field("hobby", QStringLiteral("文本"), true, "20"), today).ok);
    ASSERT_TRUE(addCustomField(db(), field("visits", QStringLiteral("整数"), false), today).ok);
    const int pid = scalar(db(), "select pid from selffields where fieldname = 'hobby'").toInt();
    const mc::Done r = dropCustomField(db(), pid);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("删除成功"));
    EXPECT_FALSE(hasColumn("hobby"));
    EXPECT_TRUE(hasColumn("visits"));
    EXPECT_EQ(scalar(db(), "select count(*) from selffields").toInt(), 1);
    EXPECT_EQ(scalar(db(), "select membername from membercurlist").toString(), "M001");

    // Rows that describe built-in columns are never dropped.
    exec(db(), "insert into selffields(fieldname, fieldclass, sysfield) values('sex', '文本', ?)", {true});
    const int builtIn = scalar(db(), "select pid from selffields where fieldname = 'sex'").toInt();
    EXPECT_EQ(dropCustomField(db(), builtIn).message, QStringLiteral("删除失败"));
    EXPECT_TRUE(hasColumn("sex"));
    EXPECT_FALSE(dropCustomField(db(), 9999).ok);
}

TEST_P(CustomFields, BadAndCollidingNamesAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(addCustomField(db(), field("Hobby", QStringLiteral("文本")), today).ok);
    const struct {
        FieldDefinition f;
        const char* message;
    } cases[] = {
        {field("sex", QStringLiteral("文本")), "错误，该字段已存在数据表中"},
        {field("MemberName", QStringLiteral("文本")), "错误，该字段已存在数据表中"},
        {field("hobby", QStringLiteral("整数")), "错误，该字段已存在数据表中"},
        {field("", QStringLiteral("文本")), "错误，必须输入字段名称"},
        {field("1st", QStringLiteral("文本")), "错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"},
        {field("a b", QStringLiteral("文本")), "错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"},
        {field("x;drop table gsyg", QStringLiteral("文本")), "错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"},
        {field("x\"", QStringLiteral("文本")), "错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"},
        {field(QStringLiteral("爱好"), QStringLiteral("文本")), "错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"},
        {field(QString(51, u'a'), QStringLiteral("文本")), "错误，字段名称只能由字母和数字组成，以字母开头，最长50个字符"},
        {field("Order", QStringLiteral("文本")), "错误，字段名称是数据库的保留字，请换一个名称"},
        {field("color", ""), "错误，必须选择字段类型"},
        {field("color", QStringLiteral("布尔")), "错误，字段类型不在选择列表中"},
        {field("color", QStringLiteral("文本"), true, "2a"), "错误，字段长度必须是数字"},
    };
    const int columns = db().record("membercurlist").count();
    for (const auto& c : cases) {
        const mc::Done r = addCustomField(db(), c.f, today);
        EXPECT_FALSE(r.ok) << c.f.name.toStdString();
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.f.name.toStdString();
    }
    EXPECT_EQ(db().record("membercurlist").count(), columns);
    EXPECT_EQ(scalar(db(), "select count(*) from selffields").toInt(), 1);
    EXPECT_FALSE(hasColumn("color"));
}

TEST_P(CustomFields, ARefusedFieldNamesTheEntryToFocus)
{
    const struct {
        FieldDefinition f;
        const char* focus;
    } cases[] = {
        {field("", QStringLiteral("文本")), "fieldname"},
        {field("1st", QStringLiteral("文本")), "fieldname"},
        {field("color", ""), "fieldclass"},
        {field("color", QStringLiteral("文本"), true, "2a"), "fieldlong"},
    };
    for (const auto& c : cases) {
        const mc::Done r = checkNewField(db(), c.f);
        EXPECT_FALSE(r.ok) << c.focus;
        EXPECT_EQ(r.field, QLatin1String(c.focus)) << r.message.toStdString();
    }
    EXPECT_TRUE(checkNewField(db(), field("color", QStringLiteral("文本"))).ok);
}

TEST_P(CustomFields, KeywordsEitherEngineCannotTakeUnquotedAreRefused)
{
    // Later queries name custom columns without quotes, so a keyword of either engine would
    // break them: join operators, PostgreSQL system columns, SQLite statement words.
    for (const char* word : {"left", "Join", "is", "like", "between", "exists", "update", "values", "set", "xmin",
                             "ctid", "notnull", "transaction", "similar"}) {
        const mc::Done r = addCustomField(db(), field(word, QStringLiteral("整数"), false), today);
        EXPECT_FALSE(r.ok) << word;
        EXPECT_EQ(r.message, QStringLiteral("错误，字段名称是数据库的保留字，请换一个名称")) << word;
    }
    EXPECT_EQ(scalar(db(), "select count(*) from selffields").toInt(), 0);
    // An accepted name works unquoted in every kind of statement.
    ASSERT_TRUE(addCustomField(db(), field("Lefthand", QStringLiteral("整数"), false), today).ok);
    addMember("M001");
    exec(db(), "update membercurlist set lefthand = 3 where lefthand is null");
    EXPECT_EQ(scalar(db(), "select lefthand from membercurlist where lefthand = 3 order by lefthand").toInt(), 3);
}

TEST_P(CustomFields, FailedDefinitionTakesTheColumnBack)
{
    // A definition row the database refuses, after the column was added in the same transaction.
    if (GetParam() == mctest::Engine::Sqlite) {
        exec(db(), "create trigger refuse before insert on selffields begin select raise(abort, 'refused'); end");
    } else {
        exec(db(), "create function refuse() returns trigger as $$ begin raise exception 'refused'; end $$ language plpgsql");
        exec(db(), "create trigger refuse before insert on selffields for each row execute function refuse()");
    }
    addMember("M001");
    const mc::Done r = addCustomField(db(), field("hobby", QStringLiteral("文本"), true, "20"), today);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("错误，无法建立新字段，可能是正在使用表或者字段名重复"));
    EXPECT_FALSE(hasColumn("hobby"));
    EXPECT_EQ(scalar(db(), "select count(*) from membercurlist").toInt(), 1);
}

TEST_P(CustomFields, FailedDropLeavesColumnAndDefinition)
{
    addMember("M001");
    ASSERT_TRUE(addCustomField(db(), field("hobby", QStringLiteral("文本"), true, "20"), today).ok);
    exec(db(), "update membercurlist set hobby = 'chess'");
    // The definition row is refused after the column went in the same transaction.
    if (GetParam() == mctest::Engine::Sqlite) {
        exec(db(), "create trigger refuse before delete on selffields begin select raise(abort, 'refused'); end");
    } else {
        exec(db(), "create function refuse() returns trigger as $$ begin raise exception 'refused'; end $$ language plpgsql");
        exec(db(), "create trigger refuse before delete on selffields for each row execute function refuse()");
    }
    const int pid = scalar(db(), "select pid from selffields where fieldname = 'hobby'").toInt();
    const mc::Done r = dropCustomField(db(), pid);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("删除失败"));
    EXPECT_TRUE(hasColumn("hobby"));
    EXPECT_EQ(scalar(db(), "select hobby from membercurlist").toString(), "chess");
    EXPECT_EQ(customFields(db()).size(), 1);
}

TEST_P(CustomFields, SubsetsAreTheNamesTheDefinitionsUse)
{
    FieldDefinition colour = field("colour", QStringLiteral("文本"));
    colour.useSubset = true;
    colour.subset = QStringLiteral("颜色");
    ASSERT_TRUE(addCustomField(db(), colour, today).ok);
    FieldDefinition plain = field("plain", QStringLiteral("文本"));
    plain.subset = QStringLiteral("没有勾选");  // not ticked: no subset
    ASSERT_TRUE(addCustomField(db(), plain, today).ok);
    EXPECT_EQ(subsetNames(db()), QStringList({QStringLiteral("颜色")}));
    const QString name = QStringLiteral("颜色");
    EXPECT_TRUE(addSubsetValue(db(), name, QStringLiteral("红")));
    EXPECT_TRUE(addSubsetValue(db(), name, QStringLiteral(" 蓝 ")));
    EXPECT_FALSE(addSubsetValue(db(), name, "  "));  // an empty value is not saved
    EXPECT_EQ(subsetValues(db(), name), QStringList({QStringLiteral("红"), QStringLiteral("蓝")}));
    const QList<SubsetValue> rows = subsetEntries(db(), name);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_FALSE(changeSubsetValue(db(), rows[0].pid, ""));
    EXPECT_TRUE(changeSubsetValue(db(), rows[0].pid, QStringLiteral("绿")));
    removeSubsetValue(db(), rows[1].pid);
    EXPECT_EQ(subsetValues(db(), name), QStringList({QStringLiteral("绿")}));
}

TEST_P(CustomFields, DefinitionsWithoutTheirColumnStayListedButGetNoEditor)
{
    ASSERT_TRUE(addCustomField(db(), field("hobby", QStringLiteral("文本")), today).ok);
    exec(db(), "insert into selffields(fieldname, fieldclass, sysfield, xssx) values('ghost', '文本', ?, 9)", {false});
    EXPECT_EQ(customFields(db()).size(), 1);
    ASSERT_EQ(customDefinitions(db()).size(), 2);
    EXPECT_EQ(customDefinitions(db())[1].name, "ghost");
    // Its name stays taken.
    EXPECT_EQ(addCustomField(db(), field("Ghost", QStringLiteral("文本")), today).message, QStringLiteral("错误，该字段已存在数据表中"));
}

MC_ENGINES(CustomFields);

TEST(CustomFieldStatement, RequiredTextWithLengthOnEachEngine)
{
    for (const auto engine : {mctest::Engine::Sqlite, mctest::Engine::Postgres}) {
        if (engine == mctest::Engine::Postgres && !mctest::testServer())
            continue;
        mctest::ScratchDatabase set(engine, false);
        const QString sql = addColumnStatement(set.db(), field("Hobby", QStringLiteral("文本"), true, "20"), today);
        if (engine == mctest::Engine::Sqlite)
            EXPECT_EQ(sql, "alter table membercurlist add column \"hobby\" TEXT CHECK (length(\"hobby\") <= 20) DEFAULT '' not null");
        else
            EXPECT_EQ(sql, "alter table membercurlist add column \"hobby\" varchar(20) COLLATE \"C\" DEFAULT '' not null");
        EXPECT_EQ(addColumnStatement(set.db(), field("wedding", QStringLiteral("日期"), false), today).right(5), " null");
        EXPECT_TRUE(addColumnStatement(set.db(), field("wedding", QStringLiteral("日期")), today)
                        .endsWith("DEFAULT '2026-04-01 00:00:00' not null"));
    }
}
