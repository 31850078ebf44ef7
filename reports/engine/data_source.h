#pragma once
// The rows a report reads from one named data source, taken from a query or an item model.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QAbstractItemModel;
class QSqlQuery;

namespace mc::reports {

// The names the templates refer to.
inline const QString printSource = QStringLiteral("frxprint");
inline const QString otherSource = QStringLiteral("frxother");
inline const QString tempSource = QStringLiteral("frxtemp");

class DataSource {
public:
    DataSource() = default;
    DataSource(QStringList columns, QList<QVariantList> rows);

    // The rows of an active select: from the first row when the query can go back, otherwise
    // from its current position on.
    static DataSource fromQuery(QSqlQuery& query);
    // Column names are the field names for SQL models and the horizontal headers otherwise;
    // the headers are the column titles; values are the edit-role data, not the display text.
    // Rows still to be fetched are fetched first.
    static DataSource fromModel(QAbstractItemModel& model);

    const QStringList& columns() const { return columns_; }
    // What a person reads for a column: the title the source was given (a model's header),
    // else the known title of its name (column_titles.h), else the name itself.
    QString title(int column) const;
    QStringList titles() const;
    void setTitles(QStringList titles) { titles_ = std::move(titles); }
    const QList<QVariantList>& rows() const { return rows_; }
    int rowCount() const { return int(rows_.size()); }
    // Column names compare without regard to letter case, as SQL names do. −1 when absent.
    int column(const QString& name) const;
    QVariant value(int row, int column) const;

private:
    QStringList columns_;
    QStringList titles_;  // by column; an empty or missing title falls back to the name
    QList<QVariantList> rows_;
};

}  // namespace mc::reports
