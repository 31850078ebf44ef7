#pragma once
// The account-set window: the catalogue listed, sets added and removed.

#include <QDialog>

class QStandardItemModel;
class QTableView;

class Tfrmztgl : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmztgl(QWidget* parent = nullptr);
    void FormShow();

private:
    void addClick();
    void deleteClick();

    QStandardItemModel* model_;
    QTableView* grid_;
};

// Entering a new account set: name and description.
class Tfrmztlr : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmztlr(QWidget* parent = nullptr);

private:
    void okClick();
};
