#pragma once
// The chart of a statistics page: the rows a QueryView shows, as bars, a line or a pie, as the
// user picks in the drop-down above it. It follows the view: every load redraws it.
//
//     auto* chart = new mc::ui::QueryChart(view_, "spname", {"xssl", "xsje"}, this);

#include <QStringList>
#include <QWidget>

class QChart;
class QChartView;
class QComboBox;

namespace mc::ui {

class QueryView;

class QueryChart : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Bar, Line, Pie };

    // `labelColumn` names the rows, `valueColumns` are the series (a pie shows the first).
    QueryChart(QueryView* view, QString labelColumn, QStringList valueColumns, QWidget* parent = nullptr);

    void setKind(Kind kind);
    Kind kind() const;
    QChart* chart() const;
    // Draws the view's shown rows again.
    void redraw();

private:
    QueryView* view_;
    QString labelColumn_;
    QStringList valueColumns_;
    QComboBox* kinds_;
    QChartView* chartView_;
};

}  // namespace mc::ui
