#pragma once
// Reading and writing template files (`report/<name>.fr3` under the data folder). The format
// is described in reports/FORMAT.md.

#include "report_template.h"

#include <QString>

namespace mc::reports {

// appPath + "report/" + name + ".fr3"
QString templatePath(const QString& appPath, const QString& name);

struct LoadResult {
    ReportTemplate report;
    // Empty when the file was read whole, or when there is no file at all: a missing template
    // is an empty report, not an error.
    QString error;
};

LoadResult loadTemplate(const QString& file);
LoadResult parseTemplate(const QByteArray& xml);

QByteArray serializeTemplate(const ReportTemplate& report);
// Writes through a temporary file, so a failed save leaves the old template whole.
// Returns an error text, empty on success.
QString saveTemplate(const ReportTemplate& report, const QString& file);

}  // namespace mc::reports
