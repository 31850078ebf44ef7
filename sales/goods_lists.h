#pragma once
// The statements behind the grids of the goods windows and pickers.

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace mc::sales {

// Columns: classno, classname, isfwxsp, pid.
QSqlQuery goodsClassList(const QSqlDatabase& db);

struct GoodsFilter {
    QString text;           // start of the code, or of the pinyin code
    bool byPinyin = false;
    QString classCode;      // one class only, when not empty
};
// Columns: class name, spno, spname, xsjg, jhdj, kcsl, zdzk, ygtc, ygtc2, ygtc3, ygtc4, pyzjf,
// istj, pid; in code order.
QSqlQuery goodsList(const QSqlDatabase& db, const GoodsFilter& filter);

// The goods picker's grid: all goods, or those of a class and its sub-classes, in code order.
// Columns: spno, spname, xsjg, fwbz.
QSqlQuery goodsPickList(const QSqlDatabase& db, const QString& classCode = {});

// Goods offered while a code is typed: those whose code (or pinyin code) starts with `text`,
// in that order; with `servicesOnly` only goods of service classes.
struct GoodsChoice {
    QString spno;
    QString spname;
    QString pyzjf;
};
QList<GoodsChoice> goodsChoices(const QSqlDatabase& db, const QString& text, bool byPinyin, bool servicesOnly);
// The goods of a class and its sub-classes, in pinyin order.
QList<GoodsChoice> goodsOfClass(const QSqlDatabase& db, const QString& classCode, bool servicesOnly);

// Exchange gifts. Columns: spno, spname, dhjf, pid.
QSqlQuery giftList(const QSqlDatabase& db);
void deleteGift(const QSqlDatabase& db, int pid);

}  // namespace mc::sales
