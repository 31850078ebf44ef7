#include "checkout_goods_popup.h"

#include "goods.h"
#include "goods_class_tree.h"
#include "goods_lists.h"

#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTreeWidget>

using namespace mc::sales;

CheckoutGoodsPopup::CheckoutGoodsPopup(QSqlDatabase db, QLineEdit* codeBox, QWidget* parent)
    : QFrame(parent), db_(std::move(db)), codeBox_(codeBox), tree_(new QTreeWidget(this)),
      list_(new QTableWidget(0, 4, this))
{
    setObjectName(QStringLiteral("goodsPopup"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    tree_->setObjectName(QStringLiteral("popupTree"));
    tree_->setHeaderHidden(true);
    list_->setObjectName(QStringLiteral("popupList"));
    list_->setHorizontalHeaderLabels({QStringLiteral("商品类别"), QStringLiteral("商品代码"), QStringLiteral("商品名称"),
                                      QStringLiteral("单价")});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->installEventFilter(this);
    codeBox_->installEventFilter(this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addWidget(list_, 2);
    resize(620, 260);
    hide();
    connect(tree_, &QTreeWidget::itemClicked, this, &CheckoutGoodsPopup::classClicked);
    connect(list_, &QTableWidget::cellDoubleClicked, this, &CheckoutGoodsPopup::choose);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (isVisible() && now != codeBox_ && !isAncestorOf(now))
            hide();
    });
}

void CheckoutGoodsPopup::reload()
{
    mc::ui::fillGoodsClassTree(tree_, listGoodsClasses(db_));
}

void CheckoutGoodsPopup::showFor(const QString& text, bool byPinyin)
{
    byPinyin_ = byPinyin;
    QStringList codes;
    for (const GoodsChoice& c : goodsChoices(db_, text.trimmed(), byPinyin, false))
        codes << c.spno;
    fill(codes);
    move(codeBox_->mapTo(parentWidget(), QPoint(0, codeBox_->height())));
    show();
    raise();
}

bool CheckoutGoodsPopup::chooseFirst()
{
    if (!isVisible() || list_->rowCount() == 0)
        return false;
    list_->selectRow(0);
    choose();
    return true;
}

void CheckoutGoodsPopup::classClicked(QTreeWidgetItem* node)
{
    // The same class clicked twice within 300 ms lists its goods.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool again = node == lastNode_ && now - lastClick_ <= 300;
    lastNode_ = node;
    lastClick_ = now;
    if (!again)
        return;
    QStringList codes;
    for (const GoodsChoice& c : goodsOfClass(db_, mc::ui::goodsClassCode(node), false))
        codes << c.spno;
    fill(codes);
}

void CheckoutGoodsPopup::fill(const QStringList& codes)
{
    list_->setRowCount(0);
    for (const QString& spno : codes) {
        const std::optional<Goods> g = findGoods(db_, spno);
        if (!g)
            continue;
        const int row = list_->rowCount();
        list_->insertRow(row);
        const std::optional<GoodsClass> c = findGoodsClass(db_, g->spclass);
        const QStringList texts{c ? c->classname : QString(), byPinyin_ ? g->pyzjf : g->spno, g->spname,
                                g->xsjg.text(2)};
        for (int col = 0; col < texts.size(); ++col)
            list_->setItem(row, col, new QTableWidgetItem(texts[col]));
        list_->item(row, 0)->setData(Qt::UserRole, g->spno);
    }
}

void CheckoutGoodsPopup::choose()
{
    const int row = list_->currentRow() >= 0 ? list_->currentRow() : 0;
    if (row >= list_->rowCount())
        return;
    const QString spno = list_->item(row, 0)->data(Qt::UserRole).toString();
    hide();
    codeBox_->clear();
    codeBox_->setFocus();
    emit chosen(spno);
}

bool CheckoutGoodsPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == codeBox_ && key == Qt::Key_Down && isVisible() && list_->rowCount() > 0) {
            list_->setFocus();
            list_->selectRow(0);
            return true;
        }
        if (watched == list_) {
            if (key == Qt::Key_Up && list_->currentRow() <= 0) {
                codeBox_->setFocus();
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                choose();
                return true;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}
