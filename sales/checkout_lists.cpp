#include "checkout_lists.h"

#include "database.h"

namespace mc::sales {

using db::browse;
using db::exec;

QSqlQuery memberHistory(const QSqlDatabase& db, const QString& memberno)
{
    return browse(db,
                  QStringLiteral("select skdate, membername, xfje, sjxfje, bcdkje, sjzkl, zkhje, otyh, otsk from memberxx "
                                 "where memberno = ? and zmfs = ? and issk = ? order by skdate limit 5"),
                  {memberno, QStringLiteral("消费"), true});
}

QSqlQuery openVouchers(const QSqlDatabase& db)
{
    return browse(db,
                  QStringLiteral("select bcdate, memberno, membername, zmfs, sjxfje, xfje, xfdh from memberxx "
                                 "where issk = ? and zmfs = ? order by bcdate"),
                  {false, QStringLiteral("消费")});
}

QStringList accountNames(const QSqlDatabase& db)
{
    return db::firstColumn(db, QStringLiteral("select zhname from gszh order by pid"));
}

QStringList serviceTypes(const QSqlDatabase& db)
{
    return db::firstColumn(db, QStringLiteral("select xfclass from xfclass order by pid"));
}

QList<Department> departments(const QSqlDatabase& db)
{
    QList<Department> list;
    QSqlQuery q = exec(db, QStringLiteral("select dep_id, dep_name from zl_dep order by dep_id, dep_sid"));
    while (q.next())
        list.append({q.value(0).toString(), q.value(1).toString()});
    return list;
}

QSqlQuery staffPickList(const QSqlDatabase& db, const QString& depId)
{
    // 735146 is the built-in administrator, who sells nothing.
    const QString select = QStringLiteral("select dep_id, ygid, ygname, yglb, sex, sfz from gsyg where ygid <> '735146'");
    if (depId.isEmpty())
        return browse(db, select + QStringLiteral(" order by ygid"));
    return browse(db, select + QStringLiteral(" and dep_id = ? order by ygid"), {depId});
}

QList<ClassGoods> goodsInClass(const QSqlDatabase& db, const QString& classCode)
{
    QList<ClassGoods> list;
    QSqlQuery q = exec(db, QStringLiteral("select spno, spname, xsjg from xssp where spclass = ? order by spno"), {classCode});
    while (q.next())
        list.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toDouble()});
    return list;
}

}  // namespace mc::sales
