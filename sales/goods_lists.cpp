#include "goods_lists.h"

#include "database.h"

namespace mc::sales {

using db::exec;

QSqlQuery goodsClassList(const QSqlDatabase& db)
{
    return db::browse(db, QStringLiteral("select classno, classname, isfwxsp, pid from spclass order by classno, upclassno"));
}

QSqlQuery goodsList(const QSqlDatabase& db, const GoodsFilter& filter)
{
    QString sql = QStringLiteral(
        "select c.classname, g.spno, g.spname, g.xsjg, g.jhdj, g.kcsl, g.zdzk, g.ygtc, g.ygtc2, g.ygtc3, "
        "g.ygtc4, g.pyzjf, g.istj, g.pid from xssp g left join spclass c on c.classno = g.spclass");
    QVariantList params;
    if (!filter.classCode.isEmpty()) {
        sql += QStringLiteral(" where g.spclass = ?");
        params << filter.classCode;
    } else if (!filter.text.isEmpty()) {
        sql += filter.byPinyin ? QStringLiteral(" where g.pyzjf like ?") : QStringLiteral(" where g.spno like ?");
        params << filter.text + u'%';
    }
    return db::browse(db, sql + QStringLiteral(" order by g.spno"), params);
}

QSqlQuery giftList(const QSqlDatabase& db)
{
    return db::browse(db, QStringLiteral("select spno, spname, dhjf, pid from dhsp order by spno"));
}

void deleteGift(const QSqlDatabase& db, int pid)
{
    exec(db, QStringLiteral("delete from dhsp where pid = ?"), {pid});
}

}  // namespace mc::sales
