#pragma once
// The entry dialogs of the goods window: a goods class (商品分类录入) and a goods item
// (商品资料录入).

#include "goods.h"

#include <QDialog>
#include <QSqlDatabase>

class QCheckBox;
class QComboBox;
class QLineEdit;

class Tfrmspfllr : public QDialog {
    Q_OBJECT
public:
    // `c.pid` 0 adds a class; otherwise the class is edited and its code is fixed.
    Tfrmspfllr(QSqlDatabase db, const mc::sales::GoodsClass& c, QWidget* parent = nullptr);
    // True once any class has been stored, so the caller knows to reload.
    bool saved() const { return saved_; }

private:
    bool save();
    void saveNext();
    void startNew();

    QSqlDatabase db_;
    mc::sales::GoodsClass class_;
    QLineEdit* code_;
    QLineEdit* name_;
    QCheckBox* service_;
    bool saved_ = false;
};

class Tfrmsplr : public QDialog {
    Q_OBJECT
public:
    // `g.pid` 0 adds an item; otherwise the item is edited, its class and stock fixed.
    Tfrmsplr(QSqlDatabase db, const mc::sales::Goods& g, QWidget* parent = nullptr);
    bool saved() const { return saved_; }

private:
    bool numbersTyped();
    bool save(mc::sales::GoodsSave how);
    void saveNext();
    void fill();
    void read();
    void setNewItemControls(bool isNew);
    void autoCode();

    QSqlDatabase db_;
    mc::sales::Goods goods_;
    QLineEdit* spno_;
    QLineEdit* spname_;
    QComboBox* spclass_;
    QLineEdit* xsjg_;
    QLineEdit* jhdj_;
    QLineEdit* kcsl_;
    QLineEdit* zdzk_;
    QLineEdit* fwbz_;
    QLineEdit* pyzjf_;
    QLineEdit* ygtc_[4];
    QCheckBox* autoCode_;
    QCheckBox* istj_;
    bool saved_ = false;
};
