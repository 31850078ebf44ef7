#pragma once
// The goods picker (商品选择) and the goods class picker (商品类别选择). Both hand their choice
// back in the shared pick results (picked number and picked name); callers clear them first.

#include <QDialog>
#include <QSqlDatabase>

class QTreeWidget;
class QTreeWidgetItem;
namespace mc::ui {
class QueryView;
}

class Tfrmspxz : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmspxz(QSqlDatabase db, QWidget* parent = nullptr);

private:
    void classClicked(QTreeWidgetItem* node);
    void selectClick();

    QSqlDatabase db_;
    QTreeWidget* tree_;
    mc::ui::QueryView* goods_;
};

class Tfrmsplbxz : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmsplbxz(QSqlDatabase db, QWidget* parent = nullptr);

private:
    void selectClick();

    QTreeWidget* tree_;
};
