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

QSqlQuery goodsPickList(const QSqlDatabase& db, const QString& classCode)
{
    const QString select = QStringLiteral("select spno, spname, xsjg, fwbz from xssp");
    if (classCode.isEmpty())
        return db::browse(db, select + QStringLiteral(" order by spno"));
    return db::browse(db, select + QStringLiteral(" where spclass like ? order by spno"), {classCode + u'%'});
}

namespace {

QList<GoodsChoice> choices(QSqlQuery q)
{
    QList<GoodsChoice> list;
    while (q.next())
        list.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    return list;
}

const QString choiceSelect = QStringLiteral(
    "select g.spno, g.spname, g.pyzjf from xssp g left join spclass c on c.classno = g.spclass where ");
const QString serviceCondition = QStringLiteral(" and c.isfwxsp = ?");

}  // namespace

QList<GoodsChoice> goodsChoices(const QSqlDatabase& db, const QString& text, bool byPinyin, bool servicesOnly)
{
    // Without text, service goods come in pinyin order, all goods in code order.
    const bool pinyin = text.isEmpty() ? servicesOnly : byPinyin;
    const QString column = pinyin ? QStringLiteral("g.pyzjf") : QStringLiteral("g.spno");
    QString sql = choiceSelect + (pinyin ? QStringLiteral("coalesce(g.pyzjf, '')") : column) + QStringLiteral(" like ?");
    QVariantList params{text + u'%'};
    if (servicesOnly) {
        sql += serviceCondition;
        params << true;
    }
    return choices(exec(db, sql + QStringLiteral(" order by ") + column, params));
}

QList<GoodsChoice> goodsOfClass(const QSqlDatabase& db, const QString& classCode, bool servicesOnly)
{
    QString sql = choiceSelect + QStringLiteral("g.spclass like ?");
    QVariantList params{classCode + u'%'};
    if (servicesOnly) {
        sql += serviceCondition;
        params << true;
    }
    return choices(exec(db, sql + QStringLiteral(" order by g.pyzjf"), params));
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
