#include "report_preview.h"

#include "data_export.h"
#include "painting.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QToolBar>

using namespace mc::reports;

ReportPreviewDialog::ReportPreviewDialog(PreparedReport report, DataSources sources, QWidget* parent)
    : QPrintPreviewDialog(parent), report_(std::move(report)), data_(std::move(sources))
{
    setWindowTitle(QStringLiteral("报表预览"));
    // The dialog owns its printer; the preview is drawn when first shown, after this.
    printer()->setFullPage(true);
    if (!report_.pages.isEmpty())
        printer()->setPageLayout(QPageLayout(QPageSize(report_.pages.first().size, QPageSize::Millimeter),
                                           QPageLayout::Portrait, QMarginsF()));
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paint);
    preview_ = findChild<QPrintPreviewWidget*>();
    if (auto* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("导出PDF"));
        pdf->setObjectName(QStringLiteral("exportPdf"));
        connect(pdf, &QAction::triggered, this, &ReportPreviewDialog::askPdf);
        QAction* sheet = bar->addAction(QStringLiteral("导出数据"));
        sheet->setObjectName(QStringLiteral("exportData"));
        sheet->setEnabled(data_.contains(printSource));
        connect(sheet, &QAction::triggered, this, &ReportPreviewDialog::askData);
    }
    // Opens at the page's width, readable without zooming first, with the dialog's own
    // fit-width button checked; the window takes most of the screen.
    const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", "Fit width");
    for (QAction* action : findChildren<QAction*>())
        if (action->text() == fitWidth)
            action->trigger();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(screen->availableSize() * 0.85);
    if (!report_.errors.isEmpty())
        QTimer::singleShot(0, this, &ReportPreviewDialog::reportErrors);
}

void ReportPreviewDialog::paint(QPrinter* printer)
{
    paintDocument(*printer, printer->resolution(), report_);
}

QString ReportPreviewDialog::exportPdfTo(const QString& file) const
{
    return exportPdf(report_, file);
}

QString ReportPreviewDialog::exportDataTo(const QString& file) const
{
    const DataSource rows = data_.value(printSource);
    if (file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return exportCsv(rows, file);
    return exportXlsx(rows, file);
}

void ReportPreviewDialog::askPdf()
{
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出PDF"), QString(), QStringLiteral("PDF文件(*.pdf)"));
    if (file.isEmpty())
        return;
    showExportResult(file, exportPdfTo(file));
}

void ReportPreviewDialog::askData()
{
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出数据"), QString(),
                                                      QStringLiteral("Excel文件(*.xlsx);;CSV文件(*.csv)"));
    if (file.isEmpty())
        return;
    showExportResult(file, exportDataTo(file));
}

void ReportPreviewDialog::showExportResult(const QString& file, const QString& error)
{
    if (error.isEmpty())
        QMessageBox::information(this, windowTitle(), QStringLiteral("导出完成: ") + QDir::toNativeSeparators(file));
    else
        QMessageBox::warning(this, windowTitle(), error);
}

void ReportPreviewDialog::reportErrors()
{
    QMessageBox::warning(this, windowTitle(), QStringLiteral("报表准备时出现错误:\n") + report_.errors.join(u'\n'));
}
