// membercard-cli as a process: exit status, exactly one JSON object on standard output, the login
// and permission refusals, usage errors that change nothing, and a failing database.

#include "database.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString admin = QStringLiteral("735146");
const QString cashier = QStringLiteral("00000001");  // 张三, class 收银员 without permission rows

struct Outcome {
    int exit = -1;
    QJsonObject json;
};

class Cli : public testing::Test {
protected:
    QTemporaryDir dir;
    QString data() const { return dir.filePath(QStringLiteral("data")); }
    QString setFile() const { return data() + QStringLiteral("/test/test.mdb"); }

    Outcome run(const QStringList& args, const QByteArray& standardInput = {})
    {
        QProcess p;
        p.start(QStringLiteral(MEMBERCARD_CLI), args);
        p.write(standardInput);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(60000));
        const QByteArray out = p.readAllStandardOutput();
        // Exactly one JSON object and a line break, whatever the outcome.
        EXPECT_EQ(out.count('\n'), 1) << out.toStdString();
        EXPECT_TRUE(out.endsWith('\n')) << out.toStdString();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
        EXPECT_TRUE(doc.isObject()) << out.toStdString();
        return {p.exitCode(), doc.object()};
    }
    Outcome as(const QString& code, const QStringList& rest, const QByteArray& standardInput = {})
    {
        return run(QStringList{"--data", data(), "--operator", code, "--password", "1"} + rest, standardInput);
    }
    // Changes the account set behind the program's back, as a fault or a hand edit would.
    void tamper(const QString& sql)
    {
        const QSqlDatabase db = mc::db::openSqlite(QStringLiteral("tamper"), setFile());
        mc::db::exec(db, sql);
        mc::db::closeConnection(QStringLiteral("tamper"));
    }
    qint64 openShifts()
    {
        const QSqlDatabase db = mc::db::openSqlite(QStringLiteral("shifts"), setFile());
        const qint64 n = mc::db::scalar(db, QStringLiteral("select count(*) from actorjs where isjs = false")).toLongLong();
        mc::db::closeConnection(QStringLiteral("shifts"));
        return n;
    }
};

TEST_F(Cli, ChecksTheBooksOfAFreshlyPreparedDataFolder)
{
    const Outcome r = as(admin, {"check-books"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_TRUE(r.json["ok"].toBool());
    EXPECT_EQ(r.json["broken"].toArray().size(), 0);
    EXPECT_EQ(r.json["checked"]["members"].toInt(), 1 + 8);  // the cash customer 0000 and the demonstration members
    EXPECT_EQ(r.json["checked"]["goods"].toInt(), 2);
    for (const char* file : {"dbconnect.cdd", "modal/modal.cdd", "test/test.mdb", "report/memberzc.fr3"})
        EXPECT_TRUE(QFile::exists(data() + "/" + file)) << file;
    // A shift is opened when none is open, and only then.
    EXPECT_EQ(openShifts(), 1);
    EXPECT_EQ(as(admin, {"check-books"}).exit, 0);
    EXPECT_EQ(openShifts(), 1);
}

TEST_F(Cli, TheDemonstrationSetHasMembersOfEachKindAndVouchersBeforeToday)
{
    ASSERT_EQ(as(admin, {"check-books"}).exit, 0);
    const QSqlDatabase db = mc::db::openSqlite(QStringLiteral("demo"), setFile());
    QSqlQuery kinds = mc::db::exec(db, QStringLiteral("select c.classname, count(*), max(m.khdate) from membercurlist m "
                                                      "join cardclass c on c.cardno = m.cardno where m.memberno <> '0000' "
                                                      "group by c.classname order by c.classname"));
    QStringList seen;
    while (kinds.next()) {
        seen << kinds.value(0).toString();
        EXPECT_GE(kinds.value(1).toInt(), 2) << kinds.value(0).toString().toStdString();
        EXPECT_LT(mc::db::toDateTime(kinds.value(2)).date(), QDate::currentDate());
    }
    EXPECT_EQ(seen, (QStringList{"储值卡", "折扣卡", "计次卡"}));
    // Every registration went through the service: its journal row and its operation log entry.
    EXPECT_EQ(mc::db::scalar(db, QStringLiteral("select count(*) from memberxx where zmfs in ('开户', '计次开户')")).toInt(), 8);
    // And a few days of vouchers through the checkout, each with its lines, all before today.
    EXPECT_EQ(mc::db::scalar(db, QStringLiteral("select count(distinct substr(xfdh, 1, 9)) from memberxx where zmfs = '消费'")).toInt(), 3);
    EXPECT_EQ(mc::db::scalar(db, QStringLiteral("select count(*) from memberxx where zmfs = '消费' and skdate >= ?"),
                             {QDateTime(QDate::currentDate(), QTime(0, 0))}).toInt(), 0);
    EXPECT_GT(mc::db::scalar(db, QStringLiteral("select count(*) from xfsp")).toInt(),
              mc::db::scalar(db, QStringLiteral("select count(*) from memberxx where zmfs = '消费'")).toInt());
    kinds = QSqlQuery();
    mc::db::closeConnection(QStringLiteral("demo"));
}

TEST_F(Cli, ABrokenRuleExitsWithOneAndNamesTheRow)
{
    ASSERT_EQ(as(admin, {"check-books"}).exit, 0);
    tamper("update xssp set kcsl = 99 where spno = '001001'");
    const Outcome r = as(admin, {"check-books"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_FALSE(r.json["ok"].toBool());
    EXPECT_EQ(r.json["message"].toString(), "账务核对发现 1 处不符");
    EXPECT_EQ(r.json["broken"].toArray(), QJsonArray{"商品 001001 矿泉水：库存数量为 99，库存出入合计为 100"});
}

TEST_F(Cli, LooksUpAMemberFromInlineFileOrStandardInput)
{
    const Outcome inline_ = as(admin, {"lookup", R"({"card": "0000"})"});
    EXPECT_EQ(inline_.exit, 0);
    EXPECT_TRUE(inline_.json["ok"].toBool());
    EXPECT_EQ(inline_.json["memberno"].toString(), "0000");
    EXPECT_EQ(inline_.json["classname"].toString(), "折扣卡");
    EXPECT_EQ(inline_.json["cardname"].toString(), "散客");
    EXPECT_TRUE(inline_.json["curmoney"].isDouble());
    EXPECT_TRUE(QDateTime::fromString(inline_.json["khdate"].toString(), "yyyy-MM-dd hh:mm:ss").isValid());

    QFile file(dir.filePath("input.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"memberno": "0000"})");
    file.close();
    EXPECT_EQ(as(admin, {"lookup", "@" + file.fileName()}).json["truecard"].toString(), "0000");
    EXPECT_EQ(as(admin, {"lookup", "-"}, R"({"card": "0000"})").json["memberno"].toString(), "0000");
}

TEST_F(Cli, RegistersAStoredValueMemberWhoseBooksBalance)
{
    const Outcome r = as(admin, {"--now", "2026-12-01 10:00:00", "register",
                                 R"({"memberno": "101", "truecard": "A001", "membername": "李四", "sex": "女",
                                     "cardno": "0001", "deposit": 100, "khyhje": 5, "khjkfs": "银行卡",
                                     "sfzh": "110101199003071234", "movetel": "13800000000", "password": "8"})"});
    EXPECT_EQ(r.exit, 0) << r.json["message"].toString().toStdString();
    EXPECT_EQ(r.json["message"].toString(), "保存完成");
    EXPECT_EQ(r.json["memberno"].toString(), "00000101");  // padded to the member-number width
    EXPECT_EQ(r.json["truecard"].toString(), "A001");
    EXPECT_GT(r.json["pid"].toInt(), 0);
    EXPECT_EQ(r.json["curmoney"].toDouble(), 110.0);  // 100 deposited at the class's 1.1
    EXPECT_EQ(r.json["curcs"].toInt(), 0);
    EXPECT_EQ(r.json["khhjys"].toDouble(), 120.0);  // card price 20 + deposit 100
    EXPECT_EQ(r.json["khssje"].toDouble(), 115.0);  // less the discount 5
    EXPECT_EQ(r.json["dqdate"].toString(), "2027-12-01 10:00:00");
    EXPECT_TRUE(r.json["xfjf"].isDouble());

    const Outcome found = as(admin, {"lookup", R"({"card": "A001"})"});
    EXPECT_EQ(found.json["membername"].toString(), "李四");
    EXPECT_EQ(found.json["birthday"].toString().left(10), "1990-03-07");  // from the identity number
    EXPECT_EQ(found.json["curmoney"].toDouble(), 110.0);
    const Outcome books = as(admin, {"check-books"});
    EXPECT_EQ(books.exit, 0) << QJsonDocument(books.json).toJson().toStdString();
}

TEST_F(Cli, ARefusedRegistrationExitsWithOneAndAddsNoMember)
{
    const QString first = R"({"memberno": "107", "truecard": "B7", "membername": "王五", "cardno": "0002", "khjkfs": "银行卡"})";
    ASSERT_EQ(as(admin, {"register", first}).exit, 0);
    const auto members = [&] { return as(admin, {"check-books"}).json["checked"].toObject()["members"].toInt(); };
    const int before = members();
    const struct {
        const char* name;
        QString input;
        const char* message;
    } cases[] = {
        {"same member number", R"({"memberno": "00000107", "truecard": "B8", "membername": "赵六", "cardno": "0002", "khjkfs": "银行卡"})",
         "错误，会员编号重复,可能存在同号注销人员"},
        {"no card number in card mode 1", R"({"memberno": "108", "membername": "赵六", "cardno": "0002", "khjkfs": "银行卡"})",
         "卡号必须录入"},
        {"bad identity number", R"({"memberno": "108", "truecard": "B8", "membername": "赵六", "cardno": "0002", "khjkfs": "银行卡", "sfzh": "12345"})",
         "身份证号输入错误"},
        {"custom field that does not exist",
         R"({"memberno": "108", "truecard": "B8", "membername": "赵六", "cardno": "0002", "khjkfs": "银行卡", "nosuch": "x"})",
         "自定义字段nosuch不存在"},
    };
    for (const auto& c : cases) {
        const Outcome r = as(admin, {"register", c.input});
        EXPECT_EQ(r.exit, 1) << c.name;
        EXPECT_EQ(r.json["message"].toString(), QString::fromUtf8(c.message)) << c.name;
    }
    EXPECT_EQ(members(), before);
    // A custom field's value is text or a number; anything else is a usage error.
    EXPECT_EQ(as(admin, {"register", R"({"memberno": "109", "truecard": "B9", "membername": "钱七", "cardno": "0002", "khjkfs": "银行卡", "zdy1": true})"}).exit, 2);
}

TEST_F(Cli, ChecksOutTwoGoodsAgainstAStoredValueCard)
{
    // 陈静 of the demonstration set, on a gold card: 9 折 on goods.
    const double before = as(admin, {"lookup", R"({"card": "100001"})"}).json["curmoney"].toDouble();
    const Outcome r = as(admin, {"--now", "2026-12-11 10:00:00", "checkout",
                                 R"({"card": "100001", "lines": [{"spno": "001001", "spnum": 2}, {"spno": "001002"}]})"});
    EXPECT_EQ(r.exit, 0) << r.json["message"].toString().toStdString();
    EXPECT_EQ(r.json["message"].toString(), "消费完成");
    EXPECT_TRUE(r.json["xfdh"].toString().startsWith("xfd261211")) << r.json["xfdh"].toString().toStdString();
    EXPECT_EQ(r.json["sjxfje"].toDouble(), 7.5);  // 2 × 2.00 + 3.50
    EXPECT_EQ(r.json["xfje"].toDouble(), 6.7);    // at 9 折, to the one decimal of the settings
    EXPECT_EQ(r.json["zkhje"].toDouble(), 0.8);
    EXPECT_DOUBLE_EQ(r.json["curmoney"].toDouble(), before - 6.7);
    for (const char* key : {"bcdkje", "bcxfjf", "xfjf", "syyhje"})
        EXPECT_TRUE(r.json[key].isDouble()) << key;
    EXPECT_FALSE(r.json.contains("upgraded"));
    EXPECT_DOUBLE_EQ(as(admin, {"lookup", R"({"card": "100001"})"}).json["curmoney"].toDouble(), before - 6.7);
    EXPECT_EQ(as(admin, {"check-books"}).exit, 0);

    // More than the balance: refused with the window's message, and nothing moves.
    const double left = as(admin, {"lookup", R"({"card": "100002"})"}).json["curmoney"].toDouble();
    const Outcome refused = as(admin, {"checkout", R"({"card": "100002", "lines": [{"spno": "002002", "spnum": 9}]})"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_EQ(refused.json["message"].toString(), "当前余额不足，无法消费");
    EXPECT_EQ(as(admin, {"lookup", R"({"card": "100002"})"}).json["curmoney"].toDouble(), left);
    // A line key the command does not know is a usage error.
    EXPECT_EQ(as(admin, {"checkout", R"({"card": "100002", "lines": [{"spno": "001001", "price": 1}]})"}).exit, 2);
    EXPECT_EQ(as(admin, {"check-books"}).exit, 0);
}

TEST_F(Cli, RefusalsExitWithOneAndTheWindowsMessage)
{
    const struct {
        const char* name;
        QStringList args;
        const char* message;
    } cases[] = {
        {"card not on file", {"--data", data(), "--operator", admin, "--password", "1", "lookup", R"({"card": "x"})"},
         "无法找到该卡号"},
        {"wrong password", {"--data", data(), "--operator", admin, "--password", "2", "check-books"}, "登录口令错误"},
        {"unknown staff code", {"--data", data(), "--operator", "99", "--password", "1", "check-books"},
         "登录员工编码错误,找不到该编号"},
        {"class without the menu item", {"--data", data(), "--operator", cashier, "--password", "1", "check-books"},
         "没有使用该功能的权限"},
        {"--now by a cashier",
         {"--data", data(), "--operator", cashier, "--password", "1", "--now", "2026-12-01 10:00:00", "check-books"},
         "只有管理员可以指定操作时间"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.exit, 1) << c.name;
        EXPECT_FALSE(r.json["ok"].toBool()) << c.name;
        EXPECT_EQ(r.json["message"].toString(), QString::fromUtf8(c.message)) << c.name;
    }
    EXPECT_EQ(as(admin, {"--now", "2026-12-01 10:00:00", "check-books"}).exit, 0);
}

TEST_F(Cli, UsageErrorsExitWithTwoAndTouchNothing)
{
    const QString d = data();
    const struct {
        const char* name;
        QStringList args;
    } cases[] = {
        {"unknown command", {"--data", d, "--operator", admin, "--password", "1", "frobnicate"}},
        {"unknown key", {"--data", d, "--operator", admin, "--password", "1", "lookup", R"({"card": "0000", "x": 1})"}},
        {"wrong type", {"--data", d, "--operator", admin, "--password", "1", "lookup", R"({"card": 0})"}},
        {"input to a command without keys", {"--data", d, "--operator", admin, "--password", "1", "check-books", R"({"a": 1})"}},
        {"neither card nor member", {"--data", d, "--operator", admin, "--password", "1", "lookup", "{}"}},
        {"both card and member",
         {"--data", d, "--operator", admin, "--password", "1", "lookup", R"({"card": "0000", "memberno": "0000"})"}},
        {"bad JSON", {"--data", d, "--operator", admin, "--password", "1", "lookup", R"({"card": )"}},
        {"not an object", {"--data", d, "--operator", admin, "--password", "1", "lookup", "[1]"}},
        {"missing file", {"--data", d, "--operator", admin, "--password", "1", "lookup", "@/nonexistent/input.json"}},
        {"bad option", {"--data", d, "--bogus", "x", "--operator", admin, "--password", "1", "check-books"}},
        {"option without value", {"--data", d, "--operator", admin, "--password"}},
        {"missing password", {"--data", d, "--operator", admin, "check-books"}},
        {"bad --now", {"--data", d, "--operator", admin, "--password", "1", "--now", "yesterday", "check-books"}},
        {"extra argument", {"--data", d, "--operator", admin, "--password", "1", "lookup", "{}", "more"}},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.exit, 2) << c.name;
        EXPECT_FALSE(r.json["ok"].toBool()) << c.name;
        EXPECT_FALSE(r.json["message"].toString().isEmpty()) << c.name;
    }
    EXPECT_FALSE(QDir(d).exists()) << "a usage error prepared the data folder";

    const Outcome noSet = as(admin, {"--set", "nosuch", "check-books"});
    EXPECT_EQ(noSet.exit, 2);
    EXPECT_EQ(noSet.json["message"].toString(), "没有名为 nosuch 的帐套");
}

TEST_F(Cli, ABrokenDatabaseExitsWithThree)
{
    ASSERT_EQ(as(admin, {"check-books"}).exit, 0);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(setFile() + suffix);
    QFile broken(setFile());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(8192, 'x'));
    broken.close();
    const Outcome r = as(admin, {"lookup", R"({"card": "0000"})"});
    EXPECT_EQ(r.exit, 3);
    EXPECT_FALSE(r.json["ok"].toBool());
    EXPECT_TRUE(r.json["message"].toString().startsWith("出现错误，无法保存\n")) << r.json["message"].toString().toStdString();
}

}  // namespace
