#include "data_source.h"

#include "column_titles.h"

#include <QAbstractItemModel>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>

namespace mc::reports {

DataSource::DataSource(QStringList columns, QList<QVariantList> rows)
    : columns_(std::move(columns)), rows_(std::move(rows))
{
}

DataSource DataSource::fromQuery(QSqlQuery& query)
{
    DataSource d;
    if (!query.isActive() || !query.isSelect())
        return d;
    const QSqlRecord record = query.record();
    for (int c = 0; c < record.count(); ++c)
        d.columns_ << record.fieldName(c);
    auto take = [&] {
        QVariantList row;
        row.reserve(record.count());
        for (int c = 0; c < record.count(); ++c)
            row << query.value(c);
        return row;
    };
    if (!query.isForwardOnly())
        query.seek(QSql::BeforeFirstRow);
    // A forward-only query already on a row keeps that row.
    for (bool more = query.isValid() || query.next(); more; more = query.next())
        d.rows_ << take();
    return d;
}

DataSource DataSource::fromModel(QAbstractItemModel& model)
{
    DataSource d;
    while (model.canFetchMore({}))
        model.fetchMore({});
    const auto* sql = qobject_cast<const QSqlQueryModel*>(&model);
    const QSqlRecord record = sql ? sql->record() : QSqlRecord();
    for (int c = 0; c < model.columnCount(); ++c) {
        const QString header = model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        d.columns_ << (sql && c < record.count() ? record.fieldName(c) : header);
        d.titles_ << header;
    }
    for (int r = 0; r < model.rowCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < model.columnCount(); ++c)
            row << model.data(model.index(r, c), Qt::EditRole);
        d.rows_ << row;
    }
    return d;
}

QString DataSource::title(int column) const
{
    if (const QString t = titles_.value(column); !t.isEmpty() && t != columns_.value(column))
        return t;
    const QString known = columnTitle(columns_.value(column));
    return known.isEmpty() ? columns_.value(column) : known;
}

QStringList DataSource::titles() const
{
    QStringList list;
    for (int c = 0; c < columns_.size(); ++c)
        list << title(c);
    return list;
}

int DataSource::column(const QString& name) const
{
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QVariant DataSource::value(int row, int column) const
{
    if (row < 0 || row >= rows_.size() || column < 0 || column >= rows_[row].size())
        return {};
    return rows_[row][column];
}

}  // namespace mc::reports
