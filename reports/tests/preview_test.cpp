// The preview window: its pages, navigation and zoom, exports, and the list of preparation errors.

#include "receipt_report.h"
#include "report_preview.h"

#include "layout.h"
#include "modal_answer.h"
#include "modal_steps.h"
#include "output_files.h"
#include "qt_print.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace mc::reports;

namespace {

PreparedReport threePages(const QString& text = QStringLiteral("[frxprint.\"n\"]"))
{
    ReportTemplate t;
    ReportObject o;
    o.rect = QRectF(0, 0, 50, 5);
    o.text = text;
    t.bands << Band{BandType::MasterData, "rows", 100, "frxprint", {}, false, {o}};
    return prepareReport(t, {{"frxprint", DataSource({"n"}, {{1}, {2}, {3}, {4}, {5}})}});
}

}  // namespace

TEST(Preview, ShowsEveryPageAndMovesAndZooms)
{
    const PreparedReport r = threePages();
    ASSERT_EQ(r.pages.size(), 3);
    ReportPreviewDialog dialog(r, {{"frxprint", DataSource({"n"}, {{1}})}});
    dialog.show();
    QPrintPreviewWidget* preview = dialog.previewWidget();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 3);
    preview->setCurrentPage(3);
    EXPECT_EQ(preview->currentPage(), 3);
    const qreal zoom = preview->zoomFactor();
    preview->zoomIn();
    EXPECT_GT(preview->zoomFactor(), zoom);
    EXPECT_NE(dialog.findChild<QAction*>("exportPdf"), nullptr);
    EXPECT_TRUE(dialog.findChild<QAction*>("exportData")->isEnabled());

    QTemporaryDir dir;
    EXPECT_EQ(dialog.exportPdfTo(dir.filePath("r.pdf")), "");
    EXPECT_TRUE(QFile::exists(dir.filePath("r.pdf")));
    EXPECT_EQ(dialog.exportDataTo(dir.filePath("d.csv")), "");
    EXPECT_EQ(dialog.exportDataTo(dir.filePath("d.xlsx")), "");
    EXPECT_TRUE(QFile::exists(dir.filePath("d.xlsx")));
}

TEST(Preview, OpensAtThePageWidth)
{
    ReportPreviewDialog dialog(threePages(), {});
    dialog.show();
    QPrintPreviewWidget* preview = dialog.previewWidget();
    EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
    // The page fills the width of the view rather than the whole page its height.
    QTRY_VERIFY_WITH_TIMEOUT(preview->zoomFactor() > 0.5, 5000);
}

TEST(Preview, ExportsSayWhereTheyWrote)
{
    QTemporaryDir dir;
    ReportPreviewDialog dialog(threePages(), {{"frxprint", DataSource({"spname"}, {{QStringLiteral("矿泉水")}})}});
    dialog.show();
    const struct {
        const char* action;
        QString file;
    } exports[] = {{"exportPdf", dir.filePath("r.pdf")}, {"exportData", dir.filePath("d.csv")}};
    for (const auto& e : exports) {
        SCOPED_TRACE(e.action);
        const QString file = e.file;
        auto picked = mctest::onNextModal<QFileDialog>([file](QFileDialog* d) {
            d->findChild<QLineEdit*>("fileNameEdit")->setText(file);
            static_cast<QDialog*>(d)->accept();
        });
        const auto message = mctest::answerNextMessageBox();
        dialog.findChild<QAction*>(e.action)->trigger();
        EXPECT_TRUE(*picked);
        EXPECT_EQ(*message, QStringLiteral("导出完成: ") + file);
        EXPECT_TRUE(QFile::exists(file));
    }
    // The data export's header row holds the column titles.
    EXPECT_TRUE(QString::fromUtf8(mctest::readAll(dir.filePath("d.csv"))).contains(QStringLiteral("商品名称\r\n矿泉水")));
}

TEST(Preview, PreparationErrorsAreListedWhenItOpens)
{
    const PreparedReport r = threePages(QStringLiteral("[frxprint.\"gone\"]"));
    ReportPreviewDialog dialog(r, {});
    EXPECT_FALSE(dialog.findChild<QAction*>("exportData")->isEnabled());
    const auto text = mctest::answerNextMessageBox();
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(!text->isEmpty(), 5000);
    EXPECT_EQ(*text, QStringLiteral("报表准备时出现错误:\n字段不存在: frxprint.\"gone\""));
}

TEST(ReceiptReport, AutoprintPrintsWithoutDialogAndReportsAnUnknownPrinter)
{
    Report report;
    report.layout() = ReportTemplate();
    mc::receipts::ReceiptSettings s;
    s.autoprint = true;
    s.copies = 2;
    s.printerName = QStringLiteral("不存在的打印机");
    EXPECT_EQ(mc::reports::printReceiptReport(report, s, nullptr), QStringLiteral("找不到打印机: 不存在的打印机"));
    s.copies = 0;
    EXPECT_EQ(mc::reports::printReceiptReport(report, s, nullptr), "");
}

TEST(ReceiptReport, WithoutAutoprintThePreviewOpens)
{
    Report report;
    report.bind("frxprint", DataSource({"n"}, {{1}}));
    mc::receipts::ReceiptSettings s;
    s.printerName = QStringLiteral("不存在的打印机");  // never reached: the preview comes first
    int pages = -1;
    mctest::onNextModal<ReportPreviewDialog>([&](ReportPreviewDialog* d) {
        pages = d->previewWidget()->pageCount();
        d->reject();
    });
    EXPECT_EQ(mc::reports::printReceiptReport(report, s, nullptr), "");
    EXPECT_EQ(pages, 1);
}
