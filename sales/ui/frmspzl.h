#pragma once
// The goods information window (商品信息设置): goods classes, exchange gifts and goods, with
// stock in, return, export and import.

#include "goods_lists.h"

#include <QSqlDatabase>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSqlQueryModel;
class QTableView;

class Tfrmspzl : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmspzl(QSqlDatabase db, QWidget* parent = nullptr);

    // Reopens the three lists.
    void FormShow();

private:
    QWidget* classPane();
    QWidget* giftPane();
    QWidget* goodsPane();
    void loadClasses();
    void loadGifts();
    mc::sales::GoodsFilter goodsFilter() const;
    void loadGoods();
    int selectedGoodsPid() const;

    void classAdd();
    void classEdit();
    void classDelete();
    void giftDelete();
    void goodsAdd();
    void goodsEdit();
    void goodsDelete();
    void goodsStock(bool in);
    void goodsPrint();
    void goodsExport();
    void goodsImport();

    QSqlDatabase db_;
    QSqlQueryModel* classModel_;
    QSqlQueryModel* giftModel_;
    QSqlQueryModel* goodsModel_;
    QTableView* classGrid_;
    QTableView* giftGrid_;
    QTableView* goodsGrid_;
    QLineEdit* search_;
    QCheckBox* byPinyin_;
    QComboBox* classFilter_;
};
