#pragma once
// Goods classes and the goods catalogue: the checks and writes of their entry dialogs.

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace mc::sales {

// What a service call tells its window: success, or the message to show.
struct Outcome {
    bool ok = false;
    QString message;
    static Outcome success(QString message = {}) { return {true, std::move(message)}; }
    static Outcome failure(QString message) { return {false, std::move(message)}; }
};

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
Outcome saveGoodsClass(const QSqlDatabase& db, GoodsClass& c);
void deleteGoodsClass(const QSqlDatabase& db, int pid);
// The code after the highest numeric class code, padded to three digits ("001" when none).
QString nextGoodsClassCode(const QSqlDatabase& db);

struct Goods {
    int pid = 0;  // 0: a new item
    QString spclass;
    QString spno;
    QString spname;
    double xsjg = 0;
    QString fwbz;
    double jhdj = 0;
    double ygtc = 0;
    double kcsl = 0;
    double zdzk = 0;
    QString pyzjf;
    double pjjhdj = 0;
    bool istj = false;
    double ygtc2 = 0;
    double ygtc3 = 0;
    double ygtc4 = 0;
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
// The checks in order, then the write in one transaction. A new item with a starting stock
// other than 0 outside the service classes gets its "初始" movement by either command, and a
// new item its average purchase price.
Outcome saveGoods(const QSqlDatabase& db, Goods& g, GoodsSave how);
void deleteGoods(const QSqlDatabase& db, int pid);

// Appends the "初始" movement of a new item's starting stock; call inside the item's transaction.
void writeStartingStock(const QSqlDatabase& db, const Goods& g);

}  // namespace mc::sales
