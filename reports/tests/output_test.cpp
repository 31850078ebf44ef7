// Output of prepared reports: PDF files, printing copies without a dialog, data export.

#include "data_export.h"
#include "layout.h"
#include "painting.h"
#include "printing.h"

#include "output_files.h"
#include "qt_print.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mc::reports;
using mctest::pdfPages;
using mctest::readAll;

namespace {

PreparedReport pages(int count, QSizeF size = QSizeF(210, 297))
{
    ReportTemplate t;
    t.page.width = size.width();
    t.page.height = size.height();
    ReportObject o;
    o.rect = QRectF(0, 0, 50, 5);
    o.text = QStringLiteral("第[PAGE]页 会员");
    o.frame = FrameLeft | FrameTop | FrameRight | FrameBottom;
    Band rows{BandType::MasterData, "rows", 270, "frxprint", {}, false, {o}};
    ReportObject line;
    line.kind = ObjectKind::Line;
    line.rect = QRectF(0, 10, 50, 0);
    rows.objects << line;
    t.bands << rows;
    QList<QVariantList> data;
    for (int i = 0; i < count; ++i)
        data << QVariantList{i};
    return prepareReport(t, {{"frxprint", DataSource({"n"}, data)}});
}

}  // namespace

TEST(Output, PdfHasOnePagePerPreparedPageAtItsSize)
{
    QTemporaryDir dir;
    const PreparedReport r = pages(3);
    ASSERT_EQ(r.pages.size(), 3);
    const QString file = dir.filePath("r.pdf");
    ASSERT_EQ(exportPdf(r, file), "");
    const QByteArray pdf = readAll(file);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdf), 3);
    // A4 in points.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595")) << pdf.left(2000).toStdString();

    const QString roll = dir.filePath("roll.pdf");
    ASSERT_EQ(exportPdf(pages(1, QSizeF(80, 150)), roll), "");
    const QByteArray rollPdf = readAll(roll);
    EXPECT_TRUE(rollPdf.contains("/MediaBox [0 0 227")) << "80 mm wide: " << rollPdf.mid(rollPdf.indexOf("/MediaBox"), 40).toStdString();
}

TEST(Output, PdfToAnUnwritablePlaceFails)
{
    EXPECT_NE(exportPdf(pages(1), "/nonexistent/folder/r.pdf"), "");
}

TEST(Output, PrintingRepeatsTheWholeReportPerCopy)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    ASSERT_EQ(printReport(pages(2), printer, 3), "");
    EXPECT_EQ(pdfPages(readAll(file)), 6);
}

TEST(Output, UnknownPrinterIsReported)
{
    const QString error = printReport(pages(1), QStringLiteral("没有这台打印机"), 1);
    EXPECT_EQ(error, QStringLiteral("找不到打印机: 没有这台打印机"));
}

TEST(Output, CsvQuotesWhereNeededAndKeepsChinese)
{
    QTemporaryDir dir;
    const DataSource d({"spname", "spzj", "memo"},
                       {{QStringLiteral("矿泉水"), 2.5, QStringLiteral("a,b")}, {QStringLiteral("茶"), QVariant(), QStringLiteral("say \"hi\"\nnow")}});
    const QString file = dir.filePath("d.csv");
    ASSERT_EQ(exportCsv(d, file), "");
    const QByteArray bytes = readAll(file);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)),
              QStringLiteral("商品名称,金额,memo\r\n矿泉水,2.5,\"a,b\"\r\n茶,,\"say \"\"hi\"\"\nnow\"\r\n"));
    EXPECT_NE(exportCsv(d, "/nonexistent/d.csv"), "");
}

TEST(Output, XlsxIsWrittenAndFailuresSaySo)
{
    QTemporaryDir dir;
    const DataSource d({"spname", "spzj"}, {{QStringLiteral("矿泉水"), 2.5}});
    const QString file = dir.filePath("d.xlsx");
    ASSERT_EQ(exportXlsx(d, file, QStringLiteral("商品")), "");
    EXPECT_TRUE(readAll(file).startsWith("PK"));
    EXPECT_NE(exportXlsx(d, "/nonexistent/d.xlsx"), "");
    // A sheet name the format refuses still gives a workbook.
    const QString odd = dir.filePath("odd.xlsx");
    EXPECT_EQ(exportXlsx(d, odd, QStringLiteral("会员[2026/04]")), "");
    EXPECT_TRUE(readAll(odd).startsWith("PK"));
}
