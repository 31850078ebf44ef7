#include "query_kit.h"

#include "database.h"
#include "globals.h"
#include "receipt_report.h"
#include "template_file.h"
#include "toexcel.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace mc::ui {

using Kind = QueryColumn::Kind;

namespace {

bool isNumber(Kind k)
{
    return k == Kind::Money || k == Kind::Count;
}

// "2", "2.5", "-0.75": a quantity as it was entered, without padding zeros.
QString countText(double value)
{
    return QString::number(value, 'g', 15);
}

}  // namespace

// ---- model -------------------------------------------------------------------------------

QueryModel::QueryModel(QueryColumns columns, QObject* parent) : QAbstractTableModel(parent), columns_(std::move(columns))
{
}

void QueryModel::load(QSqlQuery query)
{
    beginResetModel();
    rows_.clear();
    // Sums and in-memory sorting need every row, not the first screenful.
    while (query.next()) {
        Row row{query.record(), {}};
        for (const QueryColumn& c : columns_)
            if (c.compute)
                row.computed << c.compute(row.record);
        rows_ << std::move(row);
    }
    endResetModel();
}

int QueryModel::columnOf(const QString& name) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].column.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant QueryModel::raw(const Row& row, int column) const
{
    const QueryColumn& c = columns_[column];
    if (!c.compute)
        return row.record.value(c.column);
    int computed = 0;
    for (int i = 0; i < column; ++i)
        computed += columns_[i].compute ? 1 : 0;
    return row.computed.value(computed);
}

QVariant QueryModel::value(int row, const QString& name) const
{
    if (row < 0 || row >= rows_.size())
        return {};
    const int column = columnOf(name);
    return column >= 0 ? raw(rows_[row], column) : rows_[row].record.value(name);
}

mc::Money QueryModel::sum(const QString& name) const
{
    mc::Money total;
    for (int r = 0; r < rows_.size(); ++r)
        total += mc::Money::fromDouble(value(r, name).toDouble());
    return total;
}

mc::reports::DataSource QueryModel::dataSource(const QList<int>& order) const
{
    QStringList names;
    const QSqlRecord shape = rows_.isEmpty() ? QSqlRecord() : rows_.first().record;
    for (int i = 0; i < shape.count(); ++i)
        names << shape.fieldName(i);
    QList<int> computed;
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compute) {
            names << columns_[i].column;
            computed << i;
        }
    QList<QVariantList> rows;
    for (int r : order) {
        QVariantList values;
        for (int i = 0; i < shape.count(); ++i)
            values << rows_[r].record.value(i);
        for (int c : computed)
            values << raw(rows_[r], c);
        rows << values;
    }
    return mc::reports::DataSource(names, rows);
}

int QueryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int QueryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant QueryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const QueryColumn& c = columns_[index.column()];
    const QVariant v = raw(rows_[index.row()], index.column());
    switch (role) {
    case Qt::EditRole:
        return v;
    case Qt::TextAlignmentRole:
        return isNumber(c.kind) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    case Qt::DisplayRole:
    case ExportRole:
        break;
    default:
        return {};
    }
    if (v.isNull())
        return role == ExportRole ? QVariant() : QVariant(QString());
    switch (c.kind) {
    case Kind::Money:
        return role == ExportRole ? QVariant(mc::Money::fromDouble(v.toDouble()).toDouble())
                                  : QVariant(mc::Money::fromDouble(v.toDouble()).text(2));
    case Kind::Count:
        return role == ExportRole ? QVariant(v.toDouble()) : QVariant(countText(v.toDouble()));
    case Kind::Date: {
        const QDate day = db::toDateTime(v).date();
        return role == ExportRole ? QVariant(day) : QVariant(day.toString(QStringLiteral("yyyy-MM-dd")));
    }
    case Kind::Bool:
        return v.toBool() ? QStringLiteral("√") : QString();
    case Kind::Text:
        break;
    }
    return v.toString();
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < columns_.size()) {
        if (role == Qt::DisplayRole)
            return columns_[section].title;
        if (role == Qt::InitialSortOrderRole)  // the first click on a title sorts upwards, whatever the style
            return int(Qt::AscendingOrder);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

// ---- sorting -----------------------------------------------------------------------------

bool QuerySort::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto* model = static_cast<const QueryModel*>(sourceModel());
    const QVariant a = left.data(Qt::EditRole);
    const QVariant b = right.data(Qt::EditRole);
    if (a.isNull() || b.isNull())
        return a.isNull() && !b.isNull();  // empty cells first
    switch (model->columns()[left.column()].kind) {
    case Kind::Money:
        return mc::Money::fromDouble(a.toDouble()) < mc::Money::fromDouble(b.toDouble());
    case Kind::Count:
        return a.toDouble() < b.toDouble();
    case Kind::Date:
        return db::toDateTime(a) < db::toDateTime(b);
    case Kind::Bool:
        return !a.toBool() && b.toBool();
    case Kind::Text:
        break;
    }
    return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
}

// ---- export ------------------------------------------------------------------------------

namespace {

// The shown rows as the export writes them.
class ExportValues : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        return QIdentityProxyModel::data(index, role == Qt::DisplayRole ? QueryModel::ExportRole : role);
    }
};

}  // namespace

// ---- view --------------------------------------------------------------------------------

QueryView::QueryView(const char* gridName, QueryColumns columns, QWidget* parent)
    : QWidget(parent), model_(new QueryModel(std::move(columns), this)), sort_(new QuerySort(this)),
      grid_(new QTableView(this)), footer_(new QTableView(this))
{
    sort_->setSourceModel(model_);
    grid_->setObjectName(QLatin1String(gridName));
    grid_->setModel(sort_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSortingEnabled(true);
    grid_->sortByColumn(-1, Qt::AscendingOrder);  // the statement's order until a title is clicked
    grid_->horizontalHeader()->setStretchLastSection(true);

    footer_->setObjectName(QLatin1String(gridName) + QStringLiteral("Footer"));
    footer_->setModel(new QStandardItemModel(1, model_->columnCount(), footer_));
    footer_->horizontalHeader()->hide();
    footer_->verticalHeader()->hide();
    footer_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    footer_->setSelectionMode(QAbstractItemView::NoSelection);
    footer_->setFocusPolicy(Qt::NoFocus);
    footer_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    footer_->horizontalHeader()->setStretchLastSection(true);
    footer_->setFixedHeight(footer_->verticalHeader()->defaultSectionSize() + 2 * footer_->frameWidth());

    bool anySummed = false;
    for (const QueryColumn& c : model_->columns())
        anySummed = anySummed || c.summed;
    footer_->setVisible(anySummed);
    hideColumns();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid_, 1);
    layout->addWidget(footer_);

    // The footer follows the grid's column widths and its sideways scrolling.
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { alignFooter(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_->horizontalScrollBar(),
            &QScrollBar::setValue);
}

void QueryView::load(QSqlQuery query)
{
    model_->load(std::move(query));
    hideColumns();  // a reset model shows every column again
    fillFooter();
    alignFooter();
    emit loaded();
}

int QueryView::rowCount() const
{
    return sort_->rowCount();
}

QList<int> QueryView::shownOrder() const
{
    QList<int> order;
    for (int r = 0; r < sort_->rowCount(); ++r)
        order << sort_->mapToSource(sort_->index(r, 0)).row();
    return order;
}

QVariant QueryView::selected(const QString& column) const
{
    const QModelIndexList rows = grid_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {};
    return model_->value(sort_->mapToSource(rows.first()).row(), column);
}

bool QueryView::select(const QString& column, const QVariant& value)
{
    const QList<int> order = shownOrder();
    for (int r = 0; r < order.size(); ++r) {
        if (model_->value(order[r], column) == value) {
            grid_->selectRow(r);
            return true;
        }
    }
    return false;
}

QVariant QueryView::shownValue(int row, const QString& column) const
{
    if (row < 0 || row >= sort_->rowCount())
        return {};
    return model_->value(sort_->mapToSource(sort_->index(row, 0)).row(), column);
}

void QueryView::hideColumns()
{
    for (int c = 0; c < model_->columnCount(); ++c) {
        grid_->setColumnHidden(c, model_->columns()[c].hidden);
        footer_->setColumnHidden(c, model_->columns()[c].hidden);
    }
}

void QueryView::fillFooter()
{
    auto* sums = static_cast<QStandardItemModel*>(footer_->model());
    const QueryColumns& columns = model_->columns();
    int firstShown = -1;
    for (int c = 0; c < columns.size(); ++c) {
        QString text;
        if (columns[c].summed) {
            const mc::Money total = model_->sum(columns[c].column);
            text = columns[c].kind == Kind::Money ? total.text(2) : countText(total.toDouble());
        }
        auto* item = new QStandardItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sums->setItem(0, c, item);
        if (firstShown < 0 && !columns[c].hidden)
            firstShown = c;
    }
    if (firstShown >= 0 && !columns[firstShown].summed)
        sums->setItem(0, firstShown, new QStandardItem(QStringLiteral("合计")));
}

void QueryView::alignFooter()
{
    for (int c = 0; c < model_->columnCount(); ++c)
        footer_->setColumnWidth(c, grid_->columnWidth(c));
}

void QueryView::print(const QString& templateName)
{
    mc::reports::Report report;
    report.load(mc::reports::templatePath(mc::appPath, templateName));
    report.bind(mc::reports::printSource, model_->dataSource(shownOrder()));
    mc::reports::previewReport(report, window());
}

bool QueryView::exportTo(const QString& path, const QString& title, const QString& maker)
{
    ExportValues values;
    values.setSourceModel(sort_);
    QSet<int> hidden;
    QHash<int, QString> numberFormats;
    const QueryColumns& columns = model_->columns();
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].hidden)
            hidden.insert(c);
        if (columns[c].kind == Kind::Money)
            numberFormats.insert(c, QStringLiteral("0.00"));
        else if (columns[c].kind == Kind::Count)
            numberFormats.insert(c, QStringLiteral("General"));
    }
    return mc::exportModel(window(), values, hidden, numberFormats, path, title, maker);
}

void QueryView::exportAsk(const QString& filename, const QString& title, const QString& maker)
{
    const QString path = mc::askExportPath(window(), filename);
    if (!path.isEmpty())
        exportTo(path, title, maker);
}

}  // namespace mc::ui
