// The checks every command's input goes through before anything is opened, and the options.

#include "command.h"
#include "invocation.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace mc::cli;

namespace {

const Command sample{
    QStringLiteral("sample"),
    QStringLiteral("M1"),
    {{QStringLiteral("memberno"), KeyType::Text, true},
     {QStringLiteral("sjxfje"), KeyType::Number},
     {QStringLiteral("spnum"), KeyType::Integer},
     {QStringLiteral("usecredit"), KeyType::Bool},
     {QStringLiteral("birthday"), KeyType::Date},
     {QStringLiteral("lines"), KeyType::List},
     {QStringLiteral("card"), KeyType::Text},
     {QStringLiteral("cash"), KeyType::Bool}},
    {{QStringLiteral("card"), QStringLiteral("cash")}},
    {},
};

QJsonObject object(const char* json)
{
    return QJsonDocument::fromJson(json).object();
}

TEST(CommandInput, EachKeyTakesOnlyItsType)
{
    const struct {
        const char* input;
        const char* problem;  // empty: accepted
    } cases[] = {
        {R"({"memberno": "1", "card": "c", "sjxfje": 12.5, "spnum": 2, "usecredit": true,
             "birthday": "1990-12-11", "lines": []})", ""},
        {R"({"memberno": "1", "cash": true, "birthday": "2026-12-11 10:00:00"})", ""},
        {R"({"memberno": "1", "card": "c", "other": 1})", "命令 sample 没有键 other"},
        {R"({"memberno": 1, "card": "c"})", "键 memberno 的值应为文本"},
        {R"({"memberno": "1", "card": "c", "sjxfje": "12.5"})", "键 sjxfje 的值应为数值"},
        {R"({"memberno": "1", "card": "c", "spnum": 2.5})", "键 spnum 的值应为整数"},
        {R"({"memberno": "1", "card": "c", "usecredit": 1})", "键 usecredit 的值应为true 或 false"},
        {R"({"memberno": "1", "card": "c", "birthday": "1990-02-30"})",
         "键 birthday 的值应为日期 \"yyyy-MM-dd\" 或 \"yyyy-MM-dd hh:mm:ss\""},
        {R"({"memberno": "1", "card": "c", "lines": {}})", "键 lines 的值应为数组"},
        {R"({"card": "c"})", "命令 sample 缺少键 memberno"},
        {R"({"memberno": "1"})", "命令 sample 需要且只需要 card、cash 中的一个键"},
        {R"({"memberno": "1", "card": "c", "cash": true})", "命令 sample 需要且只需要 card、cash 中的一个键"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkInput(sample, object(c.input)), QString::fromUtf8(c.problem)) << c.input;
}

TEST(CommandInput, ListItemsAndCustomFieldsAreCheckedToo)
{
    Command c{QStringLiteral("sell"),
              QStringLiteral("M1"),
              {{QStringLiteral("lines"),
                KeyType::List,
                false,
                {{QStringLiteral("spno"), KeyType::Text, true}, {QStringLiteral("spnum"), KeyType::Integer}}}},
              {},
              {}};
    const struct {
        const char* input;
        const char* problem;
    } lines[] = {
        {R"({"lines": [{"spno": "1"}, {"spno": "2", "spnum": 3}]})", ""},
        {R"({"lines": [{"spno": "1"}, 5]})", "lines 的第 2 项应为对象"},
        {R"({"lines": [{"spnum": 1}]})", "lines 的第 1 项 缺少键 spno"},
        {R"({"lines": [{"spno": "1", "price": 2}]})", "lines 的第 1 项 没有键 price"},
        {R"({"lines": [{"spno": "1", "spnum": 1.5}]})", "键 spnum 的值应为整数"},
        {R"({"zdy1": "x"})", "命令 sell 没有键 zdy1"},
    };
    for (const auto& l : lines)
        EXPECT_EQ(checkInput(c, object(l.input)), QString::fromUtf8(l.problem)) << l.input;

    // A command taking custom member fields lets other text and number keys through, nothing else.
    c.customFields = true;
    EXPECT_EQ(checkInput(c, object(R"({"zdy1": "x", "zdy2": 3})")), QString());
    EXPECT_EQ(checkInput(c, object(R"({"zdy1": [1]})")), QStringLiteral("键 zdy1 的值应为文本"));
}

TEST(CommandInput, ValuesReadAsTheirTypes)
{
    const Input input(object(R"({"sjxfje": 0.1, "spnum": 3, "birthday": "1990-12-11"})"));
    EXPECT_EQ(input.money("sjxfje"), mc::Money::fromUnits(1000));
    EXPECT_EQ(input.integer("spnum"), 3);
    EXPECT_EQ(input.date("birthday"), QDateTime(QDate(1990, 12, 11), QTime(0, 0)));
    EXPECT_FALSE(input.has("card"));
}

TEST(Invocation, OptionsInEitherFormThenCommandAndInput)
{
    const auto inv = parseInvocation({"--data=/tmp/d", "--operator", "735146", "--password", "", "--now",
                                      "2026-12-11 08:30:00", "lookup", "{}"});
    ASSERT_TRUE(inv.ok) << inv.message.toStdString();
    EXPECT_EQ(inv.value.data, "/tmp/d");
    EXPECT_TRUE(inv.value.password.isEmpty());  // an empty password is a password
    EXPECT_EQ(inv.value.now, QDateTime(QDate(2026, 12, 11), QTime(8, 30)));
    EXPECT_EQ(inv.value.command, "lookup");
    EXPECT_EQ(inv.value.input, "{}");
    EXPECT_FALSE(parseInvocation({"--operator", "1", "lookup"}).ok);  // no --password
}

}  // namespace
