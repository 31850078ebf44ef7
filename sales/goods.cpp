#include "goods.h"

#include "database.h"
#include "transaction.h"
#include "utils/namecode.h"
#include "utils/pinyin.h"

#include <cmath>

namespace mc::sales {

using db::exec;
using db::scalar;

namespace {

constexpr int pinyinWidth = 50;  // xssp.pyzjf

// The highest value among codes made of digits only, or 0.
long long highestNumericCode(const QSqlDatabase& db, const QString& sql)
{
    long long highest = 0;
    for (const QString& stored : db::firstColumn(db, sql)) {
        const QString code = stored.trimmed();
        bool ok = false;
        const long long n = code.toLongLong(&ok);
        if (ok && !code.isEmpty() && code.front().isDigit() && n > highest)
            highest = n;
    }
    return highest;
}

GoodsClass classFrom(const QSqlQuery& q)
{
    return {q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3).toBool()};
}

const QString goodsColumns = QStringLiteral(
    "pid, spclass, spno, spname, xsjg, fwbz, jhdj, ygtc, kcsl, zdzk, pyzjf, pjjhdj, istj, ygtc2, ygtc3, ygtc4");

Money money(const QVariant& v)
{
    return Money::fromDouble(v.toDouble());
}

Goods goodsFrom(const QSqlQuery& q)
{
    Goods g;
    g.pid = q.value(0).toInt();
    g.spclass = q.value(1).toString();
    g.spno = q.value(2).toString();
    g.spname = q.value(3).toString();
    g.xsjg = money(q.value(4));
    g.fwbz = q.value(5).toString();
    g.jhdj = money(q.value(6));
    g.ygtc = money(q.value(7));
    g.kcsl = q.value(8).toDouble();
    g.zdzk = q.value(9).toDouble();
    g.pyzjf = q.value(10).toString();
    g.pjjhdj = money(q.value(11));
    g.istj = q.value(12).toBool();
    g.ygtc2 = money(q.value(13));
    g.ygtc3 = money(q.value(14));
    g.ygtc4 = money(q.value(15));
    return g;
}

std::optional<Goods> firstGoods(QSqlQuery q)
{
    if (!q.next())
        return std::nullopt;
    return goodsFrom(q);
}

Done checkGoods(const Goods& g)
{
    if (g.spclass.isEmpty())
        return Done::failure(QStringLiteral("商品类别必须录入"), QStringLiteral("spclass"));
    if (g.spno.isEmpty())
        return Done::failure(QStringLiteral("商品代码必须录入"), QStringLiteral("spno"));
    if (g.spname.isEmpty())
        return Done::failure(QStringLiteral("商品名称必须录入"), QStringLiteral("spname"));
    if (g.zdzk > 10 || g.zdzk < 0)
        return Done::failure(QStringLiteral("最低折扣必须在0-10之间"), QStringLiteral("zdzk"));
    if (g.xsjg < g.ygtc)
        return Done::failure(QStringLiteral("员工提成不能大于销售价格"), QStringLiteral("ygtc"));
    // Stock is counted in whole units; a fraction received would vanish at the next sale.
    if (g.pid == 0 && g.kcsl != std::floor(g.kcsl))
        return Done::failure(QStringLiteral("库存数量必须为整数"), QStringLiteral("kcsl"));
    return Done::success();
}

// Call inside the save's transaction, so no other workstation takes the code in between.
Done checkCodeFree(const QSqlDatabase& db, const Goods& g)
{
    QSqlQuery same = exec(db, QStringLiteral("select pid from xssp where spno = ?"), {g.spno});
    int rows = 0;
    bool other = false;
    while (same.next()) {
        ++rows;
        other = other || same.value(0).toInt() != g.pid;
    }
    if ((g.pid == 0 && rows > 0) || rows > 1 || other)
        return Done::failure(QStringLiteral("商品代码重复"), QStringLiteral("spno"));
    return Done::success();
}

QVariantList goodsValues(const Goods& g)
{
    return {g.spclass, g.spno, g.spname, g.xsjg.toDouble(), g.fwbz, g.jhdj.toDouble(), g.ygtc.toDouble(), g.kcsl,
            g.zdzk, g.pyzjf, g.pjjhdj.toDouble(), g.istj, g.ygtc2.toDouble(), g.ygtc3.toDouble(),
            g.ygtc4.toDouble()};
}

}  // namespace

QList<GoodsClass> listGoodsClasses(const QSqlDatabase& db)
{
    QList<GoodsClass> list;
    QSqlQuery q = exec(db, QStringLiteral("select pid, classno, classname, isfwxsp from spclass "
                                          "order by classno, upclassno"));
    while (q.next())
        list << classFrom(q);
    return list;
}

std::optional<GoodsClass> findGoodsClass(const QSqlDatabase& db, const QString& classno)
{
    QSqlQuery q = exec(db, QStringLiteral("select pid, classno, classname, isfwxsp from spclass where classno = ?"),
                       {classno});
    if (!q.next())
        return std::nullopt;
    return classFrom(q);
}

Done saveGoodsClass(const QSqlDatabase& db, GoodsClass& c)
{
    const QString code = QStringLiteral("classno");
    if (c.classno.isEmpty())
        return Done::failure(QStringLiteral("商品分类代码必须录入"), code);
    if (c.classname.isEmpty())
        return Done::failure(QStringLiteral("商品分类名称必须录入"), QStringLiteral("classname"));
    if (c.classno.size() > 3)
        return Done::failure(QStringLiteral("商品分类代码不能超过3位"), code);
    c.classno = padzero(c.classno, 3);
    try {
        db::Transaction t(db);
        if (c.pid == 0 && findGoodsClass(db, c.classno))
            return Done::failure(QStringLiteral("商品分类代码重复"), code);
        if (c.pid == 0) {
            exec(db, QStringLiteral("insert into spclass(classno, classname, isfwxsp) values(?, ?, ?)"),
                 {c.classno, c.classname, c.isfwxsp});
            c.pid = findGoodsClass(db, c.classno)->pid;
        } else {
            exec(db, QStringLiteral("update spclass set classno = ?, classname = ?, isfwxsp = ? where pid = ?"),
                 {c.classno, c.classname, c.isfwxsp, c.pid});
        }
        t.commit();
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    return Done::success();
}

void deleteGoodsClass(const QSqlDatabase& db, int pid)
{
    exec(db, QStringLiteral("delete from spclass where pid = ?"), {pid});
}

QString nextGoodsClassCode(const QSqlDatabase& db)
{
    return padzero(QString::number(highestNumericCode(db, QStringLiteral("select classno from spclass")) + 1), 3);
}

QString goodsPinyin(const QString& spname)
{
    return getpy(spname, PinyinWhole, pinyinWidth);
}

std::optional<Goods> findGoods(const QSqlDatabase& db, const QString& spno)
{
    return firstGoods(exec(db, QStringLiteral("select ") + goodsColumns + QStringLiteral(" from xssp where spno = ?"), {spno}));
}

std::optional<Goods> findGoodsByPid(const QSqlDatabase& db, int pid)
{
    return firstGoods(exec(db, QStringLiteral("select ") + goodsColumns + QStringLiteral(" from xssp where pid = ?"), {pid}));
}

bool isServiceGoods(const QSqlDatabase& db, const QString& spno)
{
    return scalar(db,
                  QStringLiteral("select c.isfwxsp from xssp g join spclass c on c.classno = g.spclass "
                                 "where g.spno = ?"),
                  {spno})
        .toBool();
}

QString nextGoodsCode(const QSqlDatabase& db)
{
    return QString::number(highestNumericCode(db, QStringLiteral("select spno from xssp")) + 1);
}

void writeStartingStock(const QSqlDatabase& db, const Session& session, const Goods& g)
{
    exec(db,
         QStringLiteral("insert into kccl(czsm, jthdate, dj, spno, spname, jhsl, curkc, actor) "
                        "values(?, ?, ?, ?, ?, ?, ?, ?)"),
         {QStringLiteral("初始"), session.now, g.jhdj.toDouble(), g.spno, g.spname, g.kcsl, g.kcsl,
          session.operatorCode});
}

Done saveGoods(const QSqlDatabase& db, const Session& session, Goods& g, GoodsSave how)
{
    if (const Done checked = checkGoods(g); !checked)
        return checked;
    const bool isNew = g.pid == 0;
    // A new item's starting stock comes in at its purchase price by either command; an average
    // of 0 under it would pull every later average down.
    if (how == GoodsSave::Close || isNew)
        g.pjjhdj = g.jhdj;
    try {
        db::Transaction t(db);
        if (const Done free = checkCodeFree(db, g); !free)
            return free;
        if (isNew) {
            if (g.kcsl != 0 && !findGoodsClass(db, g.spclass).value_or(GoodsClass{}).isfwxsp)
                writeStartingStock(db, session, g);
            exec(db,
                 QStringLiteral("insert into xssp(spclass, spno, spname, xsjg, fwbz, jhdj, ygtc, kcsl, zdzk, "
                                "pyzjf, pjjhdj, istj, ygtc2, ygtc3, ygtc4) "
                                "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 goodsValues(g));
            g.pid = findGoods(db, g.spno)->pid;
        } else {
            // Class and stock of an existing item change only through their own operations. The
            // average is written only by 保存退出: the row in the dialog may be older than stock
            // received meanwhile.
            const bool average = how == GoodsSave::Close;
            const QSqlQuery u = exec(db,
                 QStringLiteral("update xssp set spno = ?, spname = ?, xsjg = ?, fwbz = ?, jhdj = ?, "
                                "ygtc = ?, zdzk = ?, pyzjf = ?, istj = ?, ygtc2 = ?, ygtc3 = ?, ygtc4 = ?") +
                     (average ? QStringLiteral(", pjjhdj = ?") : QString()) + QStringLiteral(" where pid = ?"),
                 QVariantList{g.spno, g.spname, g.xsjg.toDouble(), g.fwbz, g.jhdj.toDouble(), g.ygtc.toDouble(),
                              g.zdzk, g.pyzjf, g.istj, g.ygtc2.toDouble(), g.ygtc3.toDouble(), g.ygtc4.toDouble()} +
                     (average ? QVariantList{g.pjjhdj.toDouble(), g.pid} : QVariantList{g.pid}));
            // Another workstation may have deleted the item while it was open here.
            if (u.numRowsAffected() != 1)
                return Done::failure(QStringLiteral("商品不存在"));
        }
        t.commit();
    } catch (const db::DbError& e) {
        if (isNew)
            g.pid = 0;
        return Done::failure(e.saveMessage());
    }
    return Done::success();
}

void deleteGoods(const QSqlDatabase& db, int pid)
{
    exec(db, QStringLiteral("delete from xssp where pid = ?"), {pid});
}

}  // namespace mc::sales
