#pragma once
// One report: its template and the three named data sources the windows point at their own
// queries before each use.

#include "data_source.h"
#include "layout.h"
#include "prepared_report.h"
#include "report_template.h"

#include <QDateTime>
#include <QString>

class QAbstractItemModel;
class QSqlQuery;

namespace mc::reports {

class Report {
public:
    // A missing file gives an empty report; an unreadable one an empty report and loadError().
    void load(const QString& file);
    // Writes the template to the file it was loaded from. Returns an error text.
    QString save() const;

    const QString& file() const { return file_; }
    const QString& loadError() const { return loadError_; }
    ReportTemplate& layout() { return template_; }
    const ReportTemplate& layout() const { return template_; }

    void bind(const QString& name, DataSource data) { sources_.insert(name, std::move(data)); }
    void bind(const QString& name, QSqlQuery& query) { bind(name, DataSource::fromQuery(query)); }
    void bind(const QString& name, QAbstractItemModel& model) { bind(name, DataSource::fromModel(model)); }
    void unbindAll() { sources_.clear(); }
    const DataSources& sources() const { return sources_; }

    // Lays the report out afresh; nothing of an earlier preparation is kept.
    PreparedReport prepare(const QDateTime& now = QDateTime::currentDateTime()) const;

private:
    QString file_;
    QString loadError_;
    ReportTemplate template_;
    DataSources sources_;
};

}  // namespace mc::reports
