#pragma once
// The titles people read for the columns the report queries hand over ("membername" is
// "会员姓名"): the designer's field list and the data export show them instead of the names.

#include <QString>

namespace mc::reports {

// The title of a column name (any letter case); empty for a name without one.
QString columnTitle(const QString& column);

}  // namespace mc::reports
