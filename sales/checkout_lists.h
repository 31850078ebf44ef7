#pragma once
// The statements behind the lists of the consumption window and its pickers.

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

namespace mc::sales {

// The member's first five paid consumptions. Columns: skdate, membername, xfje, sjxfje, bcdkje,
// sjzkl, zkhje, otyh, otsk.
QSqlQuery memberHistory(const QSqlDatabase& db, const QString& memberno);
// Consumption vouchers not paid. Columns: bcdate, memberno, membername, zmfs, sjxfje, xfje, xfdh.
QSqlQuery openVouchers(const QSqlDatabase& db);

// The payment accounts (gszh.zhname) and the service types (xfclass.xfclass).
QStringList accountNames(const QSqlDatabase& db);
QStringList serviceTypes(const QSqlDatabase& db);

struct Department {
    QString id;
    QString name;
};
QList<Department> departments(const QSqlDatabase& db);
// Staff for the staff picker, the built-in administrator left out; all departments when `depId`
// is empty. Columns: dep_id, ygid, ygname, yglb, sex, sfz.
QSqlQuery staffPickList(const QSqlDatabase& db, const QString& depId = {});

struct ClassGoods {
    QString spno;
    QString spname;
    double xsjg = 0;
};
// The goods of exactly this class, in code order.
QList<ClassGoods> goodsInClass(const QSqlDatabase& db, const QString& classCode);

}  // namespace mc::sales
