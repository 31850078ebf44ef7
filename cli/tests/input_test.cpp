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
