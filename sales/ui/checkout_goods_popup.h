#pragma once
// The pop-up list under the goods-code box of the consumption window (bar-code entry off): the
// goods classes beside the goods whose code or pinyin begins with what is typed. Down in the box
// enters the list, Up on its first row returns; Enter or a double click chooses a row. It hides
// when the focus goes anywhere else.

#include <QFrame>
#include <QSqlDatabase>
#include <QStringList>

class QLineEdit;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

class CheckoutGoodsPopup : public QFrame {
    Q_OBJECT
public:
    // Sits in `parent` under `codeBox`, whose keys it watches.
    CheckoutGoodsPopup(QSqlDatabase db, QLineEdit* codeBox, QWidget* parent);

    // Builds the class tree again.
    void reload();
    // Lists the goods for the text typed so far and shows the list under the code box.
    void showFor(const QString& text, bool byPinyin);
    // Enter in the code box: chooses the first row of a shown list. Returns whether it did.
    bool chooseFirst();

signals:
    void chosen(const QString& spno);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void classClicked(QTreeWidgetItem* node);
    void fill(const QStringList& codes);
    void choose();

    QSqlDatabase db_;
    QLineEdit* codeBox_;
    QTreeWidget* tree_;
    QTableWidget* list_;
    bool byPinyin_ = false;
    QTreeWidgetItem* lastNode_ = nullptr;
    qint64 lastClick_ = 0;
};
