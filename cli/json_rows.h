#pragma once
// Table rows as JSON values: booleans, numbers and date-times read the same from both engines.

#include <QJsonObject>
#include <QVariantMap>

#include <string_view>

namespace mc::cli {

// Each column by the type the schema gives it; custom member columns by the value's own type.
// Date-times become "yyyy-MM-dd hh:mm:ss", empty values null.
QJsonObject rowToJson(const QVariantMap& row, std::string_view table);

}  // namespace mc::cli
