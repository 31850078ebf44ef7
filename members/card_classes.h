#pragma once
// Card classes (`cardclass`) and their items (`cardfj`) without windows: the validity choices,
// the checks of the class window in their order, the save in one transaction and the delete.
// Fields travel as the texts the operator typed, since the checks judge the texts.

#include "result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace mc::members {

inline const QString countKind = QStringLiteral("计次卡");
inline const QString storedValueKind = QStringLiteral("储值卡");
inline const QString discountKind = QStringLiteral("折扣卡");
QStringList cardKinds();

struct Validity {
    QString text;
    int months = 0;
    bool typed = false;      // "其他": months and days are typed
    bool yearlyFee = false;  // only "1年" takes a yearly fee
};
const QList<Validity>& validityChoices();
const Validity* findValidity(const QString& text);

// One settings group of the stored-value or discount kind.
struct DiscountGroup {
    QString zkbl;
    QString membernf;
    bool yxgbzk = false;
    int zkxffs = 1;
};

struct CardClassForm {
    QString cardno;
    QString cardname;
    QString classname;  // kind text; empty: none chosen
    QString cardmoney = QStringLiteral("0");
    QString cardyajin = QStringLiteral("0");
    QString hkje = QStringLiteral("0");
    QString timelong = QStringLiteral("无限期");  // empty: none chosen
    QString cardyf = QStringLiteral("0");
    QString cardts = QStringLiteral("0");
    QString cardcs = QStringLiteral("0");
    QString ckqs = QStringLiteral("1");
    QString czqs = QStringLiteral("1");
    bool yxxgscje = false;
    DiscountGroup stored{QStringLiteral("10"), QStringLiteral("0")};
    DiscountGroup discount{QStringLiteral("10"), QStringLiteral("0")};
};

// Choosing a validity entry: its months, 0 days, and both yearly fees back to "0".
void chooseValidity(CardClassForm& form, const QString& text);

struct CardItem {
    int pid = 0;  // 0: not stored yet
    QString xmclass;
    QString xmno;
    int xfcs = 0;
    double xfzk = 10;
    // Shown only: names looked up from the goods class and the goods.
    QString className;
    QString goodsName;
};

// The class items held in memory until the class is saved.
class CardItemSet {
public:
    void load(const QSqlDatabase& db, const QString& cardno);
    void clear();
    const QList<CardItem>& rows() const { return rows_; }
    void append(const CardItem& item) { rows_.append(item); }
    void replace(int row, const CardItem& item) { rows_[row] = item; }
    void remove(int row);
    // Writes the inserts, changes and deletions under `cardno`; call inside the save transaction.
    void apply(const QSqlDatabase& db, const QString& cardno) const;

private:
    QList<CardItem> rows_;
    QList<int> deleted_;
};

// Looks the names of the item's goods class and goods up.
void describeItem(const QSqlDatabase& db, CardItem& item);
// The checks of the item window. In count mode the goods must be a service item.
Done checkCardItem(const QSqlDatabase& db, const CardItem& item, bool countMode);

enum class EditMode { Viewing = 0, Adding = 1, Editing = 2 };

// The checks of the fields before saving, in order. Defaults go into empty fields and the code
// is padded, as the window then shows them. A refusal names the field to focus.
Done checkCardClass(CardClassForm& form, EditMode mode);

// The field checks, then in one transaction the checks that read the table (a new code not in
// use, an edited class still there), the class row and its items. A failure leaves the table as
// it was; its message is in the result. Amounts are stored to the ten-thousandth of a yuan.
Done saveCardClass(const QSqlDatabase& db, CardClassForm& form, EditMode mode, const CardItemSet& items);

std::optional<CardClassForm> loadCardClass(const QSqlDatabase& db, const QString& cardno);

// Refused while any member row, cancelled ones included, uses the class; the count is taken
// inside the delete's transaction.
Done deleteCardClass(const QSqlDatabase& db, const QString& cardno);

struct CardClassEntry {
    QString cardno;
    QString cardname;
    QString classname;
    QString label() const { return cardname + u'[' + cardno + u']'; }
};
// Every class but the reserved "0000", in code order.
QList<CardClassEntry> listCardClasses(const QSqlDatabase& db);

}  // namespace mc::members
