// The shipped templates: installed into the data folder once, and each one laid out with the
// queries it receives on an account set with a few rows, naming only columns those queries have.

#include "template_catalogue.h"

#include "database.h"
#include "globals.h"
#include "layout.h"
#include "output_files.h"
#include "painting.h"
#include "scratch_database.h"
#include "template_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mc::reports;

namespace {

void insertRow(const QSqlDatabase& db, const QString& table, const QVariantMap& values)
{
    QStringList marks(values.size(), QStringLiteral("?"));
    mc::db::exec(db, QStringLiteral("insert into %1(%2) values(%3)").arg(table, values.keys().join(u','), marks.join(u',')),
                 values.values());
}

void addSampleRows(const QSqlDatabase& db)
{
    const QDateTime t0(QDate(2026, 4, 1), QTime(9, 30));
    insertRow(db, "cardclass", {{"cardno", "0001"}, {"cardname", QStringLiteral("金卡")}, {"classname", QStringLiteral("储值卡")}});
    insertRow(db, "membercurlist", {{"memberno", "M001"}, {"truecard", "C001"}, {"membername", QStringLiteral("张三")},
                                    {"cardno", "0001"}, {"cardstatus", QStringLiteral("正常")}, {"khdate", t0},
                                    {"dqdate", t0.addYears(1)}, {"curmoney", 185.0}, {"xfjf", 35}, {"movetel", "13800000000"}});
    insertRow(db, "membercurlist", {{"memberno", "M002"}, {"truecard", "C002"}, {"membername", QStringLiteral("李四")},
                                    {"cardno", "0001"}, {"cardstatus", QStringLiteral("正常")}, {"khdate", t0},
                                    {"dqdate", t0.addYears(1)}, {"curmoney", 80.25}, {"khkjg", 20.0}, {"khssje", 100.25},
                                    {"khjkfs", QStringLiteral("现金")}});
    insertRow(db, "memberxx", {{"memberno", "M001"}, {"membername", QStringLiteral("张三")}, {"zmfs", QStringLiteral("存款")},
                               {"jkfs", QStringLiteral("现金")}, {"ckje", 100.0}, {"sjjkje", 100.0}, {"xfje", 0.0},
                               {"curye", 220.5}, {"skdate", t0}, {"actor", QStringLiteral("系统管理员")}});
    insertRow(db, "memberxx", {{"memberno", "M001"}, {"membername", QStringLiteral("张三")}, {"zmfs", QStringLiteral("消费")},
                               {"xfdh", "XF0001"}, {"sjxfje", 40.0}, {"zkhje", 4.5}, {"xfje", 35.5}, {"curye", 185.0},
                               {"bcxfjf", 35}, {"skdate", t0.addSecs(600)}, {"actor", QStringLiteral("系统管理员")}});
    for (const auto& [name, num, price] : {std::tuple{QStringLiteral("矿泉水"), 2, 2.0}, std::tuple{QStringLiteral("精洗"), 1, 31.5}})
        insertRow(db, "xfsp", {{"xfno", "XF0001"}, {"memberno", "M001"}, {"spno", name == QStringLiteral("精洗") ? "002002" : "001001"},
                               {"spname", name}, {"spdj", price}, {"spnum", num}, {"spjsjg", price}, {"spzj", price * num},
                               {"jsdate", t0}, {"ygname", QStringLiteral("张三")}});
    insertRow(db, "memberxk", {{"memberno", "M001"}, {"membername", QStringLiteral("张三")}, {"yklx", QStringLiteral("金卡")},
                               {"xklx", QStringLiteral("金卡")}, {"kf", 0.0}, {"nf", 10.0}, {"ssje", 10.0},
                               {"xkhdqdate", t0.addYears(2)}, {"pdatetime", t0}, {"actor", QStringLiteral("系统管理员")}});
    insertRow(db, "memberjf", {{"memberno", "M001"}, {"jffs", QStringLiteral("消费积分")}, {"hdjf", 35}, {"curjf", 35}, {"pdatetime", t0}});
    insertRow(db, "memberjf", {{"memberno", "M001"}, {"jffs", QStringLiteral("存款积分")}, {"hdjf", 10}, {"curjf", 45}, {"pdatetime", t0}});
    insertRow(db, "actormoney", {{"actorname", QStringLiteral("系统管理员")}, {"memberno", "M001"}, {"pdate", t0}, {"zhname", QStringLiteral("现金")},
                                 {"sfkxm", QStringLiteral("存款")}, {"skje", 100.0}, {"zcje", 0.0}, {"zhye", 100.0}});
    insertRow(db, "actormoney", {{"actorname", QStringLiteral("系统管理员")}, {"memberno", "M001"}, {"pdate", t0}, {"zhname", QStringLiteral("现金")},
                                 {"sfkxm", QStringLiteral("消费")}, {"skje", 40.25}, {"zcje", 0.0}, {"zhye", 140.25}});
    insertRow(db, "actorjs", {{"actorname", QStringLiteral("系统管理员")}, {"loadtime", t0}, {"jsdate", t0.addSecs(3600)}, {"isjs", false},
                              {"zsr", 140.25}, {"xjsr", 140.25}, {"xfzje", 35.5}, {"knxf", 35.5}});
    insertRow(db, "spclass", {{"classno", "001"}, {"classname", QStringLiteral("饮料")}, {"isfwxsp", false}});
    insertRow(db, "xssp", {{"spclass", "001"}, {"spno", "001001"}, {"spname", QStringLiteral("矿泉水")}, {"xsjg", 2.0}, {"kcsl", 98.0}});
    insertRow(db, "xssp", {{"spclass", "001"}, {"spno", "001002"}, {"spname", QStringLiteral("绿茶")}, {"xsjg", 3.5}, {"kcsl", 50.0}});
    insertRow(db, "kccl", {{"jthdate", t0}, {"spno", "001001"}, {"spname", QStringLiteral("矿泉水")}, {"czsm", QStringLiteral("进货")},
                           {"dj", 1.0}, {"jhsl", 100.0}, {"curkc", 100.0}});
    insertRow(db, "kccl", {{"jthdate", t0}, {"spno", "001001"}, {"spname", QStringLiteral("矿泉水")}, {"czsm", QStringLiteral("销售")},
                           {"dj", 2.0}, {"cbdj", 1.0}, {"xssl", 2.0}, {"curkc", 98.0}});
    insertRow(db, "gzjsjg", {{"syear", 2026}, {"smon", 3}, {"ygid", "00000001"}, {"ygname", QStringLiteral("张三")}, {"sfgz", 3000.0}});
    insertRow(db, "gzjsjg", {{"syear", 2026}, {"smon", 3}, {"ygid", "00000002"}, {"ygname", QStringLiteral("王五")}, {"sfgz", 2500.5}});
    for (const QString& table : {QStringLiteral("daycount"), QStringLiteral("monthcount")}) {
        insertRow(db, table, {{"pdate", t0}, {"spname", QStringLiteral("矿泉水")}, {"zsr", 100.0}, {"xfzje", 4.0}, {"xfcs", 1}});
        insertRow(db, table, {{"pdate", t0}, {"spname", QStringLiteral("精洗")}, {"zsr", 40.25}, {"xfzje", 31.5}, {"xfcs", 1}});
    }
}

// The text of a PDF file by pdftotext (poppler-utils), without line breaks inside cells.
QString pdfText(const QString& file)
{
    QProcess p;
    p.start("pdftotext", {"-raw", file, "-"});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + p.errorString();
    // Some glyphs come back as their radical (⾦ for 金); compatibility folding undoes that, except
    // for ⻚, which has no compatibility form.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).replace(QChar(0x2EDA), QChar(0x9875));
}

}  // namespace

class ShippedTemplates : public mctest::EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        addSampleRows(db());
        mc::companyName = QStringLiteral("澄岚洗车行");
    }
    QTemporaryDir dir;
    QString app() const { return dir.path() + "/"; }
};

TEST_P(ShippedTemplates, EachTemplateLaysOutItsSourcesWithoutUnknownFields)
{
    ASSERT_EQ(installTemplates(app()).size(), 19);
    // Texts each prepared template must hold (values, sums and formats of the sample rows).
    const QMap<QString, QStringList> expected = {
        {"memberzc", {QStringLiteral("会员姓名:李四"), QStringLiteral("卡内实存:80.25"), QStringLiteral("卡大类:储值卡"), QStringLiteral("实收金额:100.25")}},
        {"member", {"M001", QStringLiteral("李四"), "265.25", QStringLiteral("合计 2条"), QStringLiteral("第1页 共1页")}},
        {"memberxk", {QStringLiteral("年费:10.00"), QStringLiteral("续卡后到期日期:2028-04-01"), QStringLiteral("卡大类:储值卡")}},
        {"czkcz", {QStringLiteral("类别:储值卡储值"), QStringLiteral("卡内余额:185.00"), QStringLiteral("卡类型:金卡")}},
        {QStringLiteral("储值卡取款"), {QStringLiteral("卡内取款:35.50"), QStringLiteral("取款日期:2026-04-01")}},
        {"hyxf", {QStringLiteral("会员姓名:张三"), QStringLiteral("矿泉水"), "31.50", QStringLiteral("商品总额:35.50"), QStringLiteral("实际收款:35.50"), QStringLiteral("消费单号:XF0001")}},
        {"hyjdxf", {QStringLiteral("实际收款:35.50"), QStringLiteral("折扣金额:4.50")}},
        {"hyjcxf", {QStringLiteral("消费单号:XF0001"), QStringLiteral("时间:2026-04-01 09:40")}},
        {"memberxx", {"2026-04-01 09:30", "XF0001", "100.00", "35.50"}},
        {"actorzm", {QStringLiteral("张三"), "140.25"}},
        {"memberjf", {QStringLiteral("存款积分"), "45"}},
        {"spxs", {QStringLiteral("饮料"), "100.00", "4.00", "2.00"}},
        {"spxx", {QStringLiteral("绿茶"), "148"}},
        {"yggz", {QStringLiteral("2026年3月"), "5500.50"}},
        {"ygxstj", {QStringLiteral("精洗"), "35.50", "3"}},
        {"yyrbb", {QStringLiteral("日期:2026-04-01"), "140.25", "35.50"}},
        {"yymonthbb", {QStringLiteral("月份:2026-04"), "140.25"}},
        {"jjbmxbb", {QStringLiteral("消费明细"), QStringLiteral("收付款明细"), QStringLiteral("小计 2笔"), "140.25", "35.50"}},
        {"jjbhzbb", {"140.25", "35.50", QStringLiteral("操作员:系统管理员")}},
    };
    ASSERT_EQ(expected.size(), shippedTemplates().size());
    const QMap<QString, QStringList> wholeCounts = {
        {"spxx", {"98", "50", "148"}}, {"ygxstj", {"2", "1", "3"}}, {"hyxf", {"2", "1"}}};
    for (const TemplateEntry& e : shippedTemplates()) {
        SCOPED_TRACE(e.name.toStdString());
        const Report report = reportFor(e, db(), app());
        EXPECT_FALSE(report.layout().isEmpty());
        EXPECT_EQ(report.layout().page.continuous(), e.receipt);
        const PreparedReport r = report.prepare(QDateTime(QDate(2026, 4, 2), QTime(10, 0)));
        EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join("; ").toStdString();
        ASSERT_EQ(r.pages.size(), 1);
        const QString all = r.texts().join(u'\n');
        // Quantities and stock in whole numbers print without decimals.
        for (const QString& count : wholeCounts.value(e.name))
            EXPECT_TRUE(r.texts().contains(count)) << count.toStdString() << " not a text of its own in:\n" << all.toStdString();
        // Every receipt and list is a business document: it carries the shop's name.
        EXPECT_TRUE(r.texts().contains(mc::companyName)) << all.toStdString();
        for (const QString& text : expected.value(e.name))
            EXPECT_TRUE(all.contains(text)) << text.toStdString() << " not in:\n" << all.toStdString();

        const QString pdf = dir.filePath(e.name + ".pdf");
        ASSERT_EQ(exportPdf(r, pdf), "");
        EXPECT_EQ(mctest::pdfPages(mctest::readAll(pdf)), 1);
        // The painted page holds the same texts, as a PDF reader extracts them. The reader loses
        // digits that the font shapes after Latin letters ("M001" reads "M"), so those texts are
        // checked on the prepared layout only.
        const QString painted = pdfText(pdf);
        static const QRegularExpression letterThenDigit(QStringLiteral("[A-Za-z][0-9]"));
        for (const QString& text : expected.value(e.name))
            if (!text.contains(letterThenDigit)) {
                EXPECT_TRUE(painted.contains(text)) << text.toStdString() << " not in the PDF:\n" << painted.toStdString();
            }
    }
}

MC_ENGINES(ShippedTemplates);

TEST(ShippedTemplateFiles, InstallKeepsTheUsersOwnTemplates)
{
    QTemporaryDir dir;
    const QString app = dir.path() + "/";
    const QString edited = templatePath(app, "hyxf");
    QDir().mkpath(app + "report");
    QFile f(edited);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<report version=\"1\"/>");
    f.close();
    EXPECT_EQ(installTemplates(app).size(), 18);
    EXPECT_TRUE(loadTemplate(edited).report.isEmpty());
    EXPECT_TRUE(installTemplates(app).isEmpty());
    // Every design item of the 报表设计 menu has its template.
    for (int i = 101; i <= 118; ++i)
        EXPECT_NE(designEntry(QStringLiteral("I%1").arg(i)), nullptr) << i;
}
