#pragma once
// The goods information window (商品信息设置): goods classes, exchange gifts and goods, with
// stock in, return, export and import.

#include "goods_lists.h"
#include "window_kit.h"

#include <QSqlDatabase>

class QCheckBox;
class QComboBox;
class QLineEdit;
namespace mc::ui {
class QueryView;
}

class Tfrmspzl : public mc::ui::MdiChild {
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
    mc::ui::QueryView* classes_;
    mc::ui::QueryView* gifts_;
    mc::ui::QueryView* goods_;
    QLineEdit* search_;
    QCheckBox* byPinyin_;
    QComboBox* classFilter_;
};
