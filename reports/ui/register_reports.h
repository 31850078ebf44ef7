#pragma once
// The report windows that the main menu opens: the designer behind every entry of 报表设计(I).

class QWidget;

namespace mc::reports {

struct TemplateEntry;

void registerWindows();

// The designer on the entry's template under the data folder, its data sources bound to the
// entry's queries on the account set. When a query fails the reason is shown and the designer
// opens without those fields.
QWidget* openDesigner(const TemplateEntry& entry, QWidget* parent);

}  // namespace mc::reports
