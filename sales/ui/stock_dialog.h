#pragma once
// Stock in (商品进货) and return to supplier (商品退货) of one goods item.

#include "goods.h"

#include <QDialog>
#include <QSqlDatabase>

class QLineEdit;

class Tfrmspjh : public QDialog {
    Q_OBJECT
public:
    enum class Kind { In, Return };
    Tfrmspjh(QSqlDatabase db, const mc::sales::Goods& goods, Kind kind, QWidget* parent = nullptr);

private:
    void okClick();

    QSqlDatabase db_;
    mc::sales::Goods goods_;
    Kind kind_;
    QLineEdit* quantity_;
    QLineEdit* price_;
};
