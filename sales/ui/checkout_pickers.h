#pragma once
// The two pickers of the consumption window: the staff picker (员工选择) and the goods picker
// (消费商品选择). Each hands its choice back as a return value.

#include "amounts.h"
#include "query_kit.h"

#include <QDialog>
#include <QList>
#include <QSqlDatabase>

#include <optional>

class QTableWidget;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class Tfrmygxz : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmygxz(QSqlDatabase db, QWidget* parent = nullptr);
    // Shows the picker; the chosen staff member, or nothing when closed without a choice.
    static std::optional<mc::sales::ServingStaff> pick(const QSqlDatabase& db, QWidget* parent);

private:
    void departmentClicked(QTreeWidgetItem* node);
    void selectClick();

    QSqlDatabase db_;
    QTreeWidget* tree_;
    mc::ui::QueryView* staff_;
    std::optional<mc::sales::ServingStaff> picked_;
};

struct GoodsPick {
    QString spno;
    int quantity = 1;
};

class Tfrmxfspxz : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmxfspxz(QSqlDatabase db, QWidget* parent = nullptr);
    // Shows the picker; the chosen goods with their quantities, empty when closed.
    static QList<GoodsPick> pick(const QSqlDatabase& db, QWidget* parent);
    // Adds one goods item to the chosen list, quantity 1, a new row each time.
    void choose(const QString& spno, const QString& spname, double price);

private:
    void deleteClick();
    void updateTotal();
    QList<GoodsPick> chosen() const;

    QTreeWidget* tree_;
    QTableWidget* list_;
    QLabel* total_;
};
