// Laying templates out: band order, page breaks, groups and sums, sources, stretching, errors.

#include "layout.h"
#include "text_metrics.h"

#include "qt_print.h"

#include <gtest/gtest.h>

using namespace mc::reports;

namespace {

ReportObject text(const QString& name, double left, double width, const QString& content, double height = 5)
{
    ReportObject o;
    o.name = name;
    o.rect = QRectF(left, 0, width, height);
    o.text = content;
    return o;
}

Band band(BandType type, double height, QList<ReportObject> objects = {}, const QString& source = {})
{
    Band b;
    b.type = type;
    b.height = height;
    b.source = source;
    b.objects = std::move(objects);
    return b;
}

// 25 sales lines in three goods classes: 10, 10 and 5 rows.
DataSource salesLines()
{
    QList<QVariantList> rows;
    for (int i = 0; i < 25; ++i) {
        const QString cls = i < 10 ? QStringLiteral("饮料") : i < 20 ? QStringLiteral("洗车") : QStringLiteral("美容");
        rows << QVariantList{cls, QStringLiteral("商品%1").arg(i), 1.5 + i};
    }
    return DataSource({"classname", "spname", "spzj"}, rows);
}

// An A4 list: 297 mm high, 10 mm margins, 10 mm page header and footer, 8 mm column header
// and 10 mm master rows, grouped by class.
ReportTemplate groupedList()
{
    ReportTemplate t;
    t.bands << band(BandType::ReportTitle, 15, {text("title", 0, 190, QStringLiteral("商品销售"))});
    t.bands << band(BandType::PageHeader, 10, {text("printed", 0, 100, "[DATE]")});
    t.bands << band(BandType::ColumnHeader, 8, {text("h1", 0, 40, QStringLiteral("商品"))});
    Band gh = band(BandType::GroupHeader, 8, {text("gname", 0, 60, "[frxprint.\"classname\"]")});
    gh.condition = "[frxprint.\"classname\"]";
    t.bands << gh;
    t.bands << band(BandType::MasterData, 10,
                    {text("name", 0, 60, "[frxprint.\"spname\"]"),
                     text("amount", 60, 30, "[frxprint.\"spzj\"|0.00]")},
                    "frxprint");
    t.bands << band(BandType::GroupFooter, 8,
                    {text("gsum", 0, 90, QStringLiteral("小计:[SUM(frxprint.\"spzj\")|0.00] 共[COUNT(frxprint)]笔"))});
    t.bands << band(BandType::ReportSummary, 8,
                    {text("total", 0, 90, QStringLiteral("合计:[SUM(frxprint.\"spzj\")|0.00] 共[COUNT(frxprint)]笔"))});
    t.bands << band(BandType::PageFooter, 10, {text("pageno", 0, 50, QStringLiteral("第[PAGE]页/共[TOTALPAGES]页"))});
    return t;
}

QStringList textsOf(const PreparedReport& r, const QString& name)
{
    QStringList list;
    for (const PreparedObject* o : r.objects(name))
        list << o->text;
    return list;
}

}  // namespace

TEST(Layout, GroupedListBreaksPagesAndSumsPerGroupAndReport)
{
    const PreparedReport r = prepareReport(groupedList(), {{"frxprint", salesLines()}}, QDateTime(QDate(2026, 5, 1), QTime(8, 0)));
    EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join("; ").toStdString();

    // Room per page: 297 − 10 − 10 (footer) = 277 mm down from the top.
    // Page 1: title 15 + header 10 + column header 8 from y 10 → 43; then group 8, rows of 10.
    ASSERT_EQ(r.pages.size(), 2);
    for (const PreparedPage& p : r.pages) {
        EXPECT_EQ(p.size, QSizeF(210, 297));
        for (const PreparedBand& b : p.bands) {
            if (b.type != BandType::PageFooter) {
                EXPECT_LE(b.rect.bottom(), 277.0 + 1e-9) << bandTypeName(b.type).toStdString();
            }
        }
        // The footer sits at the foot of every page, the column header repeats at the top.
        EXPECT_EQ(p.bands.last().type, BandType::PageFooter);
        EXPECT_DOUBLE_EQ(p.bands.last().rect.top(), 277.0);
    }
    EXPECT_EQ(r.bands(BandType::ReportTitle).size(), 1);
    EXPECT_EQ(r.bands(BandType::PageHeader).size(), 2);
    ASSERT_EQ(r.bands(BandType::ColumnHeader).size(), 2);
    EXPECT_DOUBLE_EQ(r.bands(BandType::ColumnHeader)[1]->rect.top(), 20.0);
    EXPECT_DOUBLE_EQ(r.pages[0].bands[0].rect.top(), 10.0);
    EXPECT_EQ(r.pages[0].bands[0].type, BandType::ReportTitle);

    // Master rows follow each other without gaps, each object offset by the page margin.
    const QList<const PreparedBand*> rows = r.bands(BandType::MasterData);
    ASSERT_EQ(rows.size(), 25);
    EXPECT_DOUBLE_EQ(rows[0]->rect.top(), 10 + 15 + 10 + 8 + 8);
    EXPECT_DOUBLE_EQ(rows[1]->rect.top(), rows[0]->rect.bottom());
    EXPECT_EQ(rows[3]->row, 3);
    const PreparedObject* amount = r.objects("amount")[0];
    EXPECT_EQ(amount->rect, QRectF(70, 51, 30, 5));
    EXPECT_EQ(amount->text, "1.50");

    EXPECT_EQ(textsOf(r, "gname"), QStringList({QStringLiteral("饮料"), QStringLiteral("洗车"), QStringLiteral("美容")}));
    // 1.5+…+10.5 = 60, 11.5+…+20.5 = 160, 21.5+…+25.5 = 117.5
    EXPECT_EQ(textsOf(r, "gsum"), QStringList({QStringLiteral("小计:60.00 共10笔"), QStringLiteral("小计:160.00 共10笔"),
                                              QStringLiteral("小计:117.50 共5笔")}));
    EXPECT_EQ(textsOf(r, "total"), QStringList({QStringLiteral("合计:337.50 共25笔")}));
    EXPECT_EQ(textsOf(r, "pageno"), QStringList({QStringLiteral("第1页/共2页"), QStringLiteral("第2页/共2页")}));
    EXPECT_EQ(textsOf(r, "printed"), QStringList({"2026-05-01", "2026-05-01"}));
}

TEST(Layout, PageBandsCountTheWholeReportWhenAGroupBandBreaksThePage)
{
    // Low pages break often, also before group headers and footers: the page header and footer
    // printed then still cover the whole report, not the group being printed.
    ReportTemplate t = groupedList();
    t.page.height = 70;
    for (Band& b : t.bands) {
        if (b.type == BandType::PageHeader)
            b.objects << text("pagecount", 100, 50, "[COUNT(frxprint)]");
        if (b.type == BandType::PageFooter)
            b.objects << text("pagesum", 100, 50, "[SUM(frxprint.\"spzj\")|0.00]");
    }
    const PreparedReport r = prepareReport(t, {{"frxprint", salesLines()}}, QDateTime(QDate(2026, 5, 1), QTime(8, 0)));
    ASSERT_GT(r.pages.size(), 5);
    bool brokeAtGroupBand = false;
    for (qsizetype p = 1; p < r.pages.size(); ++p)
        for (const PreparedBand& b : r.pages[p].bands)
            if (b.type == BandType::GroupHeader || b.type == BandType::GroupFooter)
                brokeAtGroupBand = brokeAtGroupBand || &b == &r.pages[p].bands[2];
    EXPECT_TRUE(brokeAtGroupBand);
    EXPECT_EQ(textsOf(r, "pagecount"), QStringList(r.pages.size(), "25"));
    EXPECT_EQ(textsOf(r, "pagesum"), QStringList(r.pages.size(), "337.50"));
    // The group band that broke the page still sums its own group.
    EXPECT_EQ(textsOf(r, "gsum"), QStringList({QStringLiteral("小计:60.00 共10笔"), QStringLiteral("小计:160.00 共10笔"),
                                              QStringLiteral("小计:117.50 共5笔")}));
    EXPECT_EQ(textsOf(r, "total"), QStringList({QStringLiteral("合计:337.50 共25笔")}));
}

TEST(Layout, SourcesThatDriveNoBandGiveTheirFirstRow)
{
    ReportTemplate t;
    t.bands << band(BandType::ReportTitle, 5, {text("member", 0, 50, "[frxother.\"membername\"]"),
                                               text("entry", 50, 50, "[frxprint.\"xfdh\"]")});
    t.bands << band(BandType::MasterData, 5, {text("line", 0, 50, "[frxprint.\"xfdh\"]")}, "frxprint");
    t.bands << band(BandType::ReportSummary, 5, {text("last", 0, 50, "[frxprint.\"xfdh\"] [frxother.\"membername\"]")});
    const DataSource member({"membername"}, {{QStringLiteral("张三")}, {QStringLiteral("李四")}});
    const DataSource entries({"xfdh"}, {{"A1"}, {"A2"}, {"A3"}});
    const PreparedReport r = prepareReport(t, {{"frxother", member}, {"FRXPRINT", entries}});
    EXPECT_EQ(textsOf(r, "member"), QStringList({QStringLiteral("张三")}));
    EXPECT_EQ(textsOf(r, "entry"), QStringList({"A1"}));
    EXPECT_EQ(textsOf(r, "line"), QStringList({"A1", "A2", "A3"}));
    EXPECT_EQ(textsOf(r, "last"), QStringList({QStringLiteral("A3 张三")}));
}

TEST(Layout, DetailRowsFollowEachMasterRow)
{
    ReportTemplate t;
    t.bands << band(BandType::MasterData, 6, {text("voucher", 0, 50, "[frxprint.\"xfdh\"]")}, "frxprint");
    t.bands << band(BandType::DetailData, 4, {text("goods", 5, 50, "[frxother.\"spname\"] [frxother.\"spzj\"|0.00]")}, "frxother");
    t.bands << band(BandType::ReportSummary, 5, {text("sum", 0, 50, "[SUM(frxother.\"spzj\")|0.00]")});
    const DataSource voucher({"xfdh"}, {{"XF001"}});
    const DataSource lines({"spname", "spzj"}, {{QStringLiteral("矿泉水"), 4}, {QStringLiteral("精洗"), 80}});
    const PreparedReport r = prepareReport(t, {{"frxprint", voucher}, {"frxother", lines}});
    EXPECT_EQ(r.texts(), QStringList({"XF001", QStringLiteral("矿泉水 4.00"), QStringLiteral("精洗 80.00"), "84.00"}));
    const QList<const PreparedBand*> details = r.bands(BandType::DetailData);
    ASSERT_EQ(details.size(), 2);
    EXPECT_DOUBLE_EQ(details[0]->rect.top(), 16.0);
    EXPECT_DOUBLE_EQ(details[1]->rect.top(), 20.0);
}

TEST(Layout, RollPageGrowsWithItsContentAndNeverBreaks)
{
    ReportTemplate t;
    t.page = {80, 0, 3, 2, 3, 4};
    t.bands << band(BandType::ReportTitle, 10, {text("t", 0, 74, QStringLiteral("消费小票"))});
    t.bands << band(BandType::MasterData, 4, {text("n", 0, 74, "[frxprint.\"spname\"]")}, "frxprint");
    t.bands << band(BandType::PageFooter, 6, {text("f", 0, 74, QStringLiteral("谢谢惠顾"))});
    const PreparedReport r = prepareReport(t, {{"frxprint", salesLines()}});
    ASSERT_EQ(r.pages.size(), 1);
    EXPECT_DOUBLE_EQ(r.pages[0].size.height(), 2 + 10 + 25 * 4 + 6 + 4);
    EXPECT_DOUBLE_EQ(r.bands(BandType::PageFooter)[0]->rect.top(), 2 + 10 + 25 * 4);
    EXPECT_DOUBLE_EQ(r.objects("n")[0]->rect.left(), 3.0);
}

TEST(Layout, WrappedTextStretchesItsBandAndPushesTheNextOne)
{
    ReportTemplate t;
    t.page = {80, 0, 0, 0, 0, 0};
    ReportObject name = text("name", 0, 20, "[frxprint.\"spname\"]", 4);
    name.wordWrap = true;
    Band rows = band(BandType::MasterData, 5, {name}, "frxprint");
    rows.stretch = true;
    t.bands << rows;
    const DataSource goods({"spname"}, {{QStringLiteral("短")}, {QString(40, QChar(0x6C34))}, {QStringLiteral("短")}});
    const PreparedReport r = prepareReport(t, {{"frxprint", goods}});
    const QList<const PreparedBand*> bands = r.bands(BandType::MasterData);
    ASSERT_EQ(bands.size(), 3);
    EXPECT_DOUBLE_EQ(bands[0]->rect.height(), 5.0);
    EXPECT_GT(bands[1]->rect.height(), 12.0);  // 40 characters in 20 mm take several lines
    EXPECT_DOUBLE_EQ(bands[2]->rect.top(), bands[1]->rect.bottom());
    EXPECT_DOUBLE_EQ(r.objects("name")[1]->rect.height(), bands[1]->rect.height());
}

TEST(Layout, LinesBelowAGrownTextMoveDownWithIt)
{
    ReportTemplate t;
    t.page = {80, 0, 0, 0, 0, 0};
    ReportObject name = text("name", 0, 20, "[frxprint.\"membername\"]", 4);
    name.wordWrap = true;
    ReportObject side = text("side", 30, 20, "x", 4);             // beside it: stays
    ReportObject below = text("below", 0, 20, QStringLiteral("类别:会员注册"), 4);
    below.rect.moveTop(4);
    ReportObject last = text("last", 0, 20, "y", 4);
    last.rect.moveTop(8);
    Band title = band(BandType::ReportTitle, 12, {name, side, below, last});
    title.stretch = true;
    t.bands << title;
    const PreparedReport r = prepareReport(t, {{"frxprint", DataSource({"membername"}, {{QString(30, QChar(0x738B))}})}});
    const double grown = r.objects("name")[0]->rect.height() - 4;
    ASSERT_GT(grown, 4.0);
    EXPECT_DOUBLE_EQ(r.objects("side")[0]->rect.top(), 0.0);
    EXPECT_DOUBLE_EQ(r.objects("below")[0]->rect.top(), 4 + grown);
    EXPECT_DOUBLE_EQ(r.objects("last")[0]->rect.top(), 8 + grown);
    EXPECT_DOUBLE_EQ(r.bands(BandType::ReportTitle)[0]->rect.height(), 12 + grown);
}

TEST(Layout, BandTallerThanAPageIsPlacedOnceInsteadOfLooping)
{
    ReportTemplate t;
    t.bands << band(BandType::PageHeader, 10);
    t.bands << band(BandType::MasterData, 400, {}, "frxprint");
    const PreparedReport r = prepareReport(t, {{"frxprint", DataSource({"a"}, {{1}, {2}})}});
    EXPECT_EQ(r.pages.size(), 2);
    EXPECT_EQ(r.bands(BandType::MasterData).size(), 2);
}

TEST(Layout, MissingSourcesFieldsAndBadExpressionsAreListedOnceAndPrintEmpty)
{
    ReportTemplate t;
    t.bands << band(BandType::MasterData, 5,
                    {text("a", 0, 50, "[frxprint.\"nosuch\"]x"), text("b", 50, 50, "[frxtemp.\"memberno\"]"),
                     text("c", 100, 50, "[membername]")},
                    "frxprint");
    const PreparedReport r = prepareReport(t, {{"frxprint", DataSource({"memberno"}, {{"1"}, {"2"}})}});
    EXPECT_EQ(r.errors, QStringList({QStringLiteral("字段不存在: frxprint.\"nosuch\""), QStringLiteral("数据源不存在: frxtemp"),
                                     QStringLiteral("无法识别的表达式: [membername]")}));
    EXPECT_EQ(textsOf(r, "a"), QStringList({"x", "x"}));
}

TEST(Layout, EmptyTemplateGivesOneBlankPage)
{
    const PreparedReport r = prepareReport(ReportTemplate(), {});
    ASSERT_EQ(r.pages.size(), 1);
    EXPECT_TRUE(r.pages[0].bands.isEmpty());
    EXPECT_TRUE(r.errors.isEmpty());
}

TEST(Layout, GroupHeaderWithoutConditionIsOneGroup)
{
    ReportTemplate t = groupedList();
    t.band(BandType::GroupHeader)->condition.clear();
    const PreparedReport r = prepareReport(t, {{"frxprint", salesLines()}});
    EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join("; ").toStdString();
    EXPECT_EQ(textsOf(r, "gsum"), QStringList({QStringLiteral("小计:337.50 共25笔")}));
}

TEST(Layout, EmptyMasterSourcePrintsHeadersAndSummaryOnly)
{
    const PreparedReport r = prepareReport(groupedList(), {{"frxprint", DataSource({"classname", "spname", "spzj"}, {})}});
    EXPECT_EQ(r.bands(BandType::MasterData).size(), 0);
    EXPECT_EQ(r.bands(BandType::GroupHeader).size(), 0);
    EXPECT_EQ(r.bands(BandType::GroupFooter).size(), 0);
    EXPECT_EQ(textsOf(r, "total"), QStringList({QStringLiteral("合计:0.00 共0笔")}));
}

TEST(Layout, SeveralMasterListsPrintInTurnWithTheirOwnHeaders)
{
    ReportTemplate t;
    t.bands << band(BandType::ColumnHeader, 6, {text("h1", 0, 50, QStringLiteral("消费"))});
    t.bands << band(BandType::MasterData, 5, {text("xf", 0, 50, "[frxprint.\"xfje\"]")}, "frxprint");
    t.bands << band(BandType::GroupFooter, 5, {text("xfsum", 0, 50, "[SUM(frxprint.\"xfje\")]")});
    t.bands << band(BandType::ColumnHeader, 6, {text("h2", 0, 50, QStringLiteral("收款"))});
    t.bands << band(BandType::MasterData, 5, {text("sk", 0, 50, "[frxother.\"skje\"]")}, "frxother");
    const PreparedReport r = prepareReport(t, {{"frxprint", DataSource({"xfje"}, {{1}, {2}})},
                                               {"frxother", DataSource({"skje"}, {{7}})}});
    EXPECT_EQ(r.texts(), QStringList({QStringLiteral("消费"), "1", "2", "3", QStringLiteral("收款"), "7"}));
    EXPECT_DOUBLE_EQ(r.objects("h2")[0]->rect.top(), 10 + 6 + 5 + 5 + 5);
}

TEST(Layout, AWrappedCellGrowsItsWholeRowSoTheGridStaysJoined)
{
    ReportTemplate t;
    t.page = {210, 0, 0, 0, 0, 0};
    ReportObject name = text("name", 0, 20, "[frxprint.\"spname\"]", 6);
    name.wordWrap = true;
    name.frame = FrameLeft | FrameTop | FrameRight | FrameBottom;
    ReportObject price = text("price", 20, 20, "[frxprint.\"spzj\"|0.00]", 6);
    price.frame = name.frame;
    ReportObject note = text("note", 40, 20, "x", 3);  // not of the row: keeps its height
    note.frame = name.frame;
    Band rows = band(BandType::MasterData, 6, {name, price, note}, "frxprint");
    rows.stretch = true;
    t.bands << rows;
    const DataSource goods({"spname", "spzj"}, {{QString(30, QChar(0x6C34)), 2.5}});
    const PreparedReport r = prepareReport(t, {{"frxprint", goods}});
    const double grown = r.objects("name")[0]->rect.height();
    ASSERT_GT(grown, 10.0);
    EXPECT_DOUBLE_EQ(r.objects("price")[0]->rect.height(), grown);
    EXPECT_DOUBLE_EQ(r.objects("note")[0]->rect.height(), 3.0);
    EXPECT_DOUBLE_EQ(r.bands(BandType::MasterData)[0]->rect.height(), grown);
}

TEST(Layout, FramedTextKeepsOffItsBordersAndGrowsForThePadding)
{
    const QRectF cell(10, 20, 30, 6);
    const QRectF inside = textArea(cell, FrameLeft | FrameTop | FrameRight | FrameBottom);
    EXPECT_GE(inside.left() - cell.left(), 0.8);
    EXPECT_GE(cell.right() - inside.right(), 0.8);
    EXPECT_GT(inside.top(), cell.top());
    EXPECT_LT(inside.bottom(), cell.bottom());
    EXPECT_EQ(textArea(cell, 0), cell);  // no frame, nothing to keep off

    // A wrapped framed text grows until its last line sits inside the padding too.
    FontStyle font;
    const QString text(30, QChar(0x6C34));
    const double framed = framedHeight(font, cell, FrameLeft | FrameRight | FrameTop | FrameBottom, text, true);
    const double bare = textHeight(font, cell.width(), text, true);
    EXPECT_GT(framed, bare);
}

TEST(Layout, TextsThatCannotGrowShrinkToFitInsteadOfOverflowing)
{
    ReportTemplate t;
    t.page = {210, 297, 10, 10, 10, 10};
    ReportObject title = text("title", 0, 14, QStringLiteral("销售退货数量合计"), 7);  // too wide for 14 mm
    title.frame = FrameLeft | FrameTop | FrameRight | FrameBottom;
    ReportObject wrapped = title;  // wraps, but its band does not grow
    wrapped.name = "wrapped";
    wrapped.rect.moveLeft(14);
    wrapped.wordWrap = true;
    ReportObject shortTitle = text("short", 28, 20, QStringLiteral("数量"), 7);
    t.bands << band(BandType::ColumnHeader, 7, {title, wrapped, shortTitle});
    const PreparedReport r = prepareReport(t, {});
    for (const char* name : {"title", "wrapped"}) {
        SCOPED_TRACE(name);
        const PreparedObject* o = r.objects(name)[0];
        EXPECT_LT(o->font.size, 9.0);
        EXPECT_LE(framedHeight(o->font, o->rect, o->frame, o->text, o->wordWrap), o->rect.height() + 0.01);
    }
    EXPECT_EQ(r.objects("short")[0]->font.size, 9.0);  // what fits is left alone
    // Never below what is still readable, even when nothing would fit.
    const FontStyle tiny = fittingFont(FontStyle{}, QRectF(0, 0, 2, 2), 0, QString(50, QChar(0x6C34)), false);
    EXPECT_DOUBLE_EQ(tiny.size, 6.0);
}

TEST(Layout, CompanyNamePrintsWhereTheTemplateAsksForIt)
{
    ReportTemplate t;
    t.bands << band(BandType::ReportTitle, 10, {text("shop", 0, 100, QStringLiteral("[公司名称] 商品资料"))});
    const PreparedReport r = prepareReport(t, {}, QDateTime(QDate(2026, 4, 2), QTime(10, 0)), QStringLiteral("澄岚洗车"));
    EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join("; ").toStdString();
    EXPECT_EQ(textsOf(r, "shop"), QStringList({QStringLiteral("澄岚洗车 商品资料")}));
}
