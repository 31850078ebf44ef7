#pragma once
// The card class picker (选择卡类别) and the member picker (会员选择). Both hand their choice
// back in the shared pick results of globals.h; callers clear those before opening them.

#include <QDialog>
#include <QSqlDatabase>

class QSqlQueryModel;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

class Tfrmcardclassxz : public QDialog {
    Q_OBJECT
public:
    struct Kinds {
        bool count = true;
        bool storedValue = true;
        bool discount = true;
    };
    Tfrmcardclassxz(QSqlDatabase db, Kinds kinds, QWidget* parent = nullptr);

private:
    void buildTree();
    void selectClick();

    QSqlDatabase db_;
    Kinds kinds_;
    QTreeWidget* tree_;
};

class Tfrmhyxz : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmhyxz(QSqlDatabase db, QWidget* parent = nullptr);

private:
    void treeClicked(QTreeWidgetItem* node);
    void selectClick();

    QSqlDatabase db_;
    QTreeWidget* tree_;
    QSqlQueryModel* model_;
    QTableView* grid_;
};
