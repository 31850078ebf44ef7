#pragma once
// 字段设置: which member columns the member grids show, in which order and how wide. A row's
// changes are written when the operator moves to another row or closes the window.

#include <QSqlDatabase>
#include <QWidget>

class QTableWidget;

class Tfrmsfield : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmsfield(const QSqlDatabase& db, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void post(int row);

    QSqlDatabase db_;
    QTableWidget* grid_;
    bool loading_ = false;
};
