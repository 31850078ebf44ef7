#pragma once
// Goods classes and the goods catalogue: the checks and writes of their entry dialogs.

#include "result.h"
#include "session.h"
#include "utils/money.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace mc::sales {

struct GoodsClass {
    int pid = 0;  // 0: not stored yet
    QString classno;
    QString classname;
    bool isfwxsp = false;
};

QList<GoodsClass> listGoodsClasses(const QSqlDatabase& db);
std::optional<GoodsClass> findGoodsClass(const QSqlDatabase& db, const QString& classno);
// Checks in order, pads the code to three digits and stores the class. On success `c` holds
// the stored values.
Done saveGoodsClass(const QSqlDatabase& db, GoodsClass& c);
void deleteGoodsClass(const QSqlDatabase& db, int pid);
// The code after the highest numeric class code, padded to three digits ("001" when none).
QString nextGoodsClassCode(const QSqlDatabase& db);

struct Goods {
    int pid = 0;  // 0: a new item
    QString spclass;
    QString spno;
    QString spname;
    Money xsjg;
    QString fwbz;
    Money jhdj;
    Money ygtc;
    double kcsl = 0;  // whole units, kept as the column's type
    double zdzk = 0;  // lowest rate, in 折
    QString pyzjf;
    Money pjjhdj;
    bool istj = false;
    Money ygtc2;
    Money ygtc3;
    Money ygtc4;
};

// The search column of a name: whole syllables, cut to the width of `pyzjf`.
QString goodsPinyin(const QString& spname);

std::optional<Goods> findGoods(const QSqlDatabase& db, const QString& spno);
std::optional<Goods> findGoodsByPid(const QSqlDatabase& db, int pid);
// True when the goods' class is a service class (no stock, no stock in or return).
bool isServiceGoods(const QSqlDatabase& db, const QString& spno);
// The code after the highest numeric goods code ("1" when none).
QString nextGoodsCode(const QSqlDatabase& db);

enum class GoodsSave {
    Close,    // 保存退出: also sets the average purchase price to the purchase price
    AddNext,  // 保存增加
};
// The checks of the input in order, then in one transaction the duplicate check and the write.
// A new item with a starting stock other than 0 outside the service classes gets its "初始"
// movement, stamped with the session's operator and time, by either command, and a new item its
// average purchase price.
Done saveGoods(const QSqlDatabase& db, const Session& session, Goods& g, GoodsSave how);
void deleteGoods(const QSqlDatabase& db, int pid);

// Appends the "初始" movement of a new item's starting stock; call inside the item's transaction.
void writeStartingStock(const QSqlDatabase& db, const Session& session, const Goods& g);

}  // namespace mc::sales
