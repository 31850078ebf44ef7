#include "json_rows.h"

#include "database.h"
#include "table.h"

#include <QJsonValue>

namespace mc::cli {

namespace {

using schema::ColumnType;

QJsonValue dateValue(const QVariant& v)
{
    const QDateTime dt = db::toDateTime(v);
    return dt.isValid() ? QJsonValue(db::canonical(dt)) : QJsonValue(QJsonValue::Null);
}

QJsonValue byType(ColumnType type, const QVariant& v)
{
    switch (type) {
    case ColumnType::Boolean:
        return v.toBool();
    case ColumnType::DateTime:
        return dateValue(v);
    case ColumnType::AutoKey:
    case ColumnType::SmallInt:
    case ColumnType::Integer:
        return v.toLongLong();
    case ColumnType::Double:
        return v.toDouble();
    case ColumnType::Text:
    case ColumnType::Memo:
        return v.toString();
    }
    return QJsonValue::fromVariant(v);
}

QJsonValue byValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return dateValue(v);
    default:
        return QJsonValue::fromVariant(v);
    }
}

}  // namespace

QJsonObject rowToJson(const QVariantMap& row, std::string_view table)
{
    const schema::Table* described = schema::findTable(schema::accountSetTables(), table);
    QJsonObject json;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (it.value().isNull()) {
            json.insert(it.key(), QJsonValue::Null);
            continue;
        }
        const QByteArray name = it.key().toUtf8();
        const schema::Column* column =
            described ? schema::findColumn(*described, std::string_view(name.constData(), size_t(name.size()))) : nullptr;
        json.insert(it.key(), column ? byType(column->type, it.value()) : byValue(it.value()));
    }
    return json;
}

}  // namespace mc::cli
