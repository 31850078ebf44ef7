#pragma once
// A class item (会员卡商品折扣设置): the goods or goods class it applies to and its uses or
// discount. Each saved row is handed to `post`; the class window keeps it in its item set.

#include "card_classes.h"
#include "goods_lists.h"

#include <QDialog>
#include <QSqlDatabase>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

class Tfrmcardspzkset : public QDialog {
    Q_OBJECT
public:
    using Post = std::function<void(const mc::members::CardItem&)>;
    // `countMode`: the class is a count card; items carry uses and name service goods only.
    Tfrmcardspzkset(QSqlDatabase db, bool countMode, const mc::members::CardItem& item, Post onPost,
                    QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void fill(const mc::members::CardItem& item);
    bool post();
    void codeEdited(const QString& text);
    void showChoices(const QList<mc::sales::GoodsChoice>& rows);
    void pickGoods(QListWidgetItem* entry);
    void barcodeEntered();
    void openClassTree(bool picksClass);
    void classTreeActivated(QTreeWidgetItem* node);
    void hideLists();
    void setClass(const QString& classno);

    QSqlDatabase db_;
    bool countMode_;
    bool barcode_;
    bool treePicksClass_ = false;
    Post post_;
    mc::members::CardItem item_;
    QLineEdit* className_;
    QLineEdit* xmno_;
    QLineEdit* goodsName_;
    QLineEdit* amount_;
    QCheckBox* pinyin_;
    QListWidget* goodsList_;
    QTreeWidget* classTree_;
};
