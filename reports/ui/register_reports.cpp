#include "register_reports.h"

#include "database.h"
#include "frmreportdesigner.h"
#include "globals.h"
#include "template_catalogue.h"
#include "template_file.h"
#include "window_registry.h"

#include <QMessageBox>

namespace mc::reports {

QWidget* openDesigner(const TemplateEntry& entry, QWidget* parent)
{
    // The entry's own queries stand in for those of the windows that print the template, so the
    // designer works whether or not those windows were ever opened.
    Report report;
    try {
        report = reportFor(entry, QSqlDatabase::database(db::accountConnection, false), appPath);
    } catch (const db::DbError& e) {
        QMessageBox::warning(parent, QStringLiteral("报表设计"), e.message());
        report = Report();
        report.load(templatePath(appPath, entry.name));
    }
    return new TfrmReportDesigner(report, parent);
}

void registerWindows()
{
    for (const TemplateEntry& entry : shippedTemplates()) {
        if (entry.designItem.isEmpty())
            continue;
        registerWindow(entry.designItem, WindowEntry::Kind::Modal,
                       [&entry](QWidget* parent) { return openDesigner(entry, parent); });
    }
}

}  // namespace mc::reports
