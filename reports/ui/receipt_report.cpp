#include "receipt_report.h"

#include "printing.h"
#include "report_preview.h"

namespace mc::reports {

void previewReport(const Report& report, QWidget* parent)
{
    ReportPreviewDialog dialog(report.prepare(), report.sources(), parent);
    dialog.exec();
}

QString printReceiptReport(const Report& report, const receipts::ReceiptSettings& settings, QWidget* parent)
{
    const receipts::OrdinaryPlan plan = receipts::ordinaryPlan(settings);
    if (plan.preview) {
        previewReport(report, parent);
        return {};
    }
    if (plan.copies == 0)
        return {};
    return printReport(report.prepare(), settings.printerName, plan.copies);
}

}  // namespace mc::reports
