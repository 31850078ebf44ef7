#pragma once
// The preview of a prepared report: page navigation, zoom, page setup and printing from the
// print preview, plus export of the prepared report (PDF) and of the bound data (xlsx, csv).

#include "layout.h"
#include "prepared_report.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

class QPrintPreviewWidget;

class ReportPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(mc::reports::PreparedReport report, mc::reports::DataSources sources, QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const { return preview_; }
    // Export without asking for a file name; the dialog's buttons ask and then call these.
    // Each returns an error text, empty on success.
    QString exportPdfTo(const QString& file) const;
    QString exportDataTo(const QString& file) const;

private:
    void paint(QPrinter* printer);
    void askPdf();
    void askData();
    // "导出完成" naming the file, or the error.
    void showExportResult(const QString& file, const QString& error);
    void reportErrors();

    mc::reports::PreparedReport report_;
    mc::reports::DataSources data_;
    QPrintPreviewWidget* preview_;
};
