#pragma once
// Lays a template out on pages with the rows of its data sources.
//
// Page order: the report title (first page only), the page header, the column header (again on
// every page while the master rows run), per master row its group header when the group
// changes, the master band and the detail band once per detail row, the group footer when the
// group ends, the report summary after the last row; the page footer at the foot of every page.
// A source that drives no band is read at its first row wherever its fields appear; a source
// that drives a band is read at the row being printed (the last one after the rows have run).

#include "data_source.h"
#include "prepared_report.h"
#include "report_template.h"

#include <QDateTime>
#include <QHash>

namespace mc::reports {

// Data sources by name; names compare without regard to letter case.
using DataSources = QHash<QString, DataSource>;

// `company` is what [公司名称] prints.
PreparedReport prepareReport(const ReportTemplate& report, const DataSources& sources,
                             const QDateTime& now = QDateTime::currentDateTime(), const QString& company = {});

}  // namespace mc::reports
