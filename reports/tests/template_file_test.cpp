// Template files: what is saved is read back unchanged; missing and broken files.

#include "template_file.h"

#include "qt_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mc::reports;

namespace {

ReportTemplate everyFeature()
{
    ReportTemplate t;
    t.page = {80, 0, 3, 4, 3, 5};
    Band title{BandType::ReportTitle, "reporttitle1", 12.5, {}, {}, false, {}};
    ReportObject memo;
    memo.name = "memo1";
    memo.rect = QRectF(1, 2, 70, 6);
    memo.text = QStringLiteral("会员姓名:[frxprint.\"membername\"] & <b>\nsecond line");
    memo.format = "0.00";
    memo.font = {"Noto Serif CJK SC", 12, true, true, true};
    memo.halign = HAlign::Right;
    memo.valign = VAlign::Center;
    memo.frame = FrameLeft | FrameBottom;
    memo.wordWrap = true;
    title.objects << memo;
    ReportObject line;
    line.kind = ObjectKind::Line;
    line.rect = QRectF(0, 10, 74, 0);
    line.lineWidth = 0.5;
    title.objects << line;
    ReportObject rect = line;
    rect.kind = ObjectKind::Rect;
    rect.rect = QRectF(0, 0, 74, 12);
    title.objects << rect;
    ReportObject picture;
    picture.kind = ObjectKind::Picture;
    picture.rect = QRectF(60, 0, 10, 10);
    picture.picture = QByteArray("\x89PNG\r\n\x1a\n-not-really", 19);
    title.objects << picture;
    t.bands << title;
    t.bands << Band{BandType::GroupHeader, "group", 6, {}, "frxprint.\"classname\"", false, {}};
    t.bands << Band{BandType::MasterData, "master", 5, "frxprint", {}, true, {}};
    return t;
}

}  // namespace

TEST(TemplateFile, SavedTemplateReadsBackUnchanged)
{
    QTemporaryDir dir;
    const QString file = templatePath(dir.path() + "/", QStringLiteral("储值卡取款"));
    EXPECT_TRUE(file.endsWith(QStringLiteral("/report/储值卡取款.fr3")));
    const ReportTemplate t = everyFeature();
    ASSERT_EQ(saveTemplate(t, file), "");
    const LoadResult back = loadTemplate(file);
    EXPECT_EQ(back.error, "");
    EXPECT_TRUE(back.report == t);
    // Saving what was loaded gives the same bytes: the designer does not drift files.
    EXPECT_EQ(serializeTemplate(back.report), serializeTemplate(t));
}

TEST(TemplateFile, MissingFileIsAnEmptyReportWithoutError)
{
    const LoadResult r = loadTemplate("/nonexistent/report/none.fr3");
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.report.isEmpty());
    EXPECT_EQ(r.report.page, PageSetup());
}

TEST(TemplateFile, BrokenFilesGiveAnEmptyReportAndSayWhy)
{
    const struct {
        const char* xml;
        const char* error;
    } cases[] = {
        {"<report><band type=\"MasterData\">", "第1行"},
        {"<html/>", "不是报表模板文件"},
        {"<report version=\"9\"/>", "版本太新"},
        {"<report><band type=\"Nonsense\"/></report>", "未知的区域类型 Nonsense"},
        {"<report><page width=\"20\" left=\"10\" right=\"10\"/></report>", "页面宽度不够"},
    };
    for (const auto& c : cases) {
        const LoadResult r = parseTemplate(c.xml);
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.error))) << c.xml << " → " << r.error.toStdString();
        EXPECT_TRUE(r.report.isEmpty()) << c.xml;
    }
}

TEST(TemplateFile, NegativeLengthsReadAsZero)
{
    const LoadResult r = parseTemplate("<report><band type=\"MasterData\" height=\"-40\">"
                                       "<text left=\"-3\" top=\"1\" width=\"-2\" height=\"4\">x</text></band></report>");
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.report.bands[0].height, 0.0);
    EXPECT_EQ(r.report.bands[0].objects[0].rect, QRectF(0, 1, 0, 4));
}

TEST(TemplateFile, SaveThatCannotWriteSaysSo)
{
    QTemporaryDir dir;
    // "report" is a file here, so the template cannot go under it.
    QFile blocker(dir.path() + "/report");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString error = saveTemplate(everyFeature(), templatePath(dir.path() + "/", "a"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法保存报表模板"))) << error.toStdString();
}
