#include "query_chart.h"

#include "dialog_layout.h"
#include "query_kit.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPieSeries>
#include <QValueAxis>
#include <QVBoxLayout>

namespace mc::ui {

QueryChart::QueryChart(QueryView* view, QString labelColumn, QStringList valueColumns, QWidget* parent)
    : QWidget(parent), view_(view), labelColumn_(std::move(labelColumn)), valueColumns_(std::move(valueColumns)),
      kinds_(new QComboBox(this)), chartView_(new QChartView(new QChart, this))
{
    kinds_->setObjectName(QStringLiteral("chartKind"));
    kinds_->addItems({QStringLiteral("柱形图"), QStringLiteral("折线图"), QStringLiteral("饼图")});
    chartView_->setObjectName(QStringLiteral("chart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(mc::leftRow({new QLabel(QStringLiteral("图表类型"), this), kinds_}));
    layout->addWidget(chartView_, 1);
    connect(kinds_, &QComboBox::currentIndexChanged, this, &QueryChart::redraw);
    connect(view_, &QueryView::loaded, this, &QueryChart::redraw);
    redraw();
}

void QueryChart::setKind(Kind kind)
{
    kinds_->setCurrentIndex(int(kind));
}

QueryChart::Kind QueryChart::kind() const
{
    return Kind(kinds_->currentIndex());
}

QChart* QueryChart::chart() const
{
    return chartView_->chart();
}

void QueryChart::redraw()
{
    auto* chart = new QChart;
    const QueryModel* model = view_->model();
    auto title = [model](const QString& column) {
        const int c = model->columnOf(column);
        return c >= 0 ? model->columns()[c].title : column;
    };
    QStringList labels;
    for (int r = 0; r < view_->rowCount(); ++r)
        labels << view_->shownValue(r, labelColumn_).toString();
    auto valueAt = [this](int row, const QString& column) { return view_->shownValue(row, column).toDouble(); };

    if (kind() == Kind::Pie) {
        auto* pie = new QPieSeries;
        if (!valueColumns_.isEmpty())
            for (int r = 0; r < labels.size(); ++r)
                pie->append(labels[r], valueAt(r, valueColumns_.first()));
        pie->setLabelsVisible(true);
        chart->addSeries(pie);
    } else {
        auto* categories = new QBarCategoryAxis;
        categories->append(labels);
        auto* values = new QValueAxis;
        chart->addAxis(categories, Qt::AlignBottom);
        chart->addAxis(values, Qt::AlignLeft);
        if (kind() == Kind::Bar) {
            auto* bars = new QBarSeries;
            for (const QString& column : valueColumns_) {
                auto* set = new QBarSet(title(column));
                for (int r = 0; r < labels.size(); ++r)
                    *set << valueAt(r, column);
                bars->append(set);
            }
            chart->addSeries(bars);
            bars->attachAxis(categories);
            bars->attachAxis(values);
        } else {
            for (const QString& column : valueColumns_) {
                auto* line = new QLineSeries;
                line->setName(title(column));
                for (int r = 0; r < labels.size(); ++r)
                    line->append(r, valueAt(r, column));
                chart->addSeries(line);
                line->attachAxis(categories);
                line->attachAxis(values);
            }
        }
    }
    QChart* old = chartView_->chart();
    chartView_->setChart(chart);
    delete old;
}

}  // namespace mc::ui
