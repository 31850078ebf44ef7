#include "stock.h"

#include "database.h"
#include "globals.h"
#include "transaction.h"

#include <QDateTime>

#include <cmath>

namespace mc::sales {

using db::exec;

namespace {

enum class Movement { In, Return };

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0)
        return std::nullopt;
    return v;
}

Outcome move(const QSqlDatabase& db, const QString& spno, const QString& quantityText,
             const QString& priceText, Movement kind)
{
    const bool in = kind == Movement::In;
    if (quantityText.trimmed().isEmpty())
        return Outcome::failure(QStringLiteral("必须录入商品数量"));
    const auto q = number(quantityText);
    if (!q || *q != std::floor(*q))
        return Outcome::failure(QStringLiteral("进货数量错误，无法保存"));
    if (priceText.trimmed().isEmpty())
        return Outcome::failure(QStringLiteral("必须录入商品进货单价"));
    const auto p = number(priceText);
    if (!p)
        return Outcome::failure(in ? QStringLiteral("进货单价错误，无法保存") : QStringLiteral("退货单价错误，无法保存"));
    if (isServiceGoods(db, spno))
        return Outcome::failure(QStringLiteral("服务类商品无法进货"));

    try {
        db::Transaction t(db);
        // One statement reads and writes the stock, so a concurrent movement is never lost.
        // The right-hand sides see the values before the update. With no stock left after
        // the movement there is nothing to average: the previous average stays.
        const double signedQ = in ? *q : -*q;
        QSqlQuery u = exec(db,
                           QStringLiteral("update xssp set "
                                          "pjjhdj = case when kcsl + ? = 0 then pjjhdj "
                                          "else (kcsl * pjjhdj + ?) / (kcsl + ?) end, "
                                          "kcsl = kcsl + ?") +
                               (in ? QStringLiteral(", jhdj = ?") : QString()) +
                               QStringLiteral(" where spno = ?") +
                               (in ? QString() : QStringLiteral(" and kcsl >= ?")),
                           in ? QVariantList{signedQ, signedQ * *p, signedQ, signedQ, *p, spno}
                              : QVariantList{signedQ, signedQ * *p, signedQ, signedQ, spno, *q});
        if (u.numRowsAffected() != 1)
            return Outcome::failure(in ? QStringLiteral("商品不存在") : QStringLiteral("商品退货数量不能大于库存数量"));
        const Goods g = *findGoods(db, spno);
        exec(db,
             QStringLiteral("insert into kccl(czsm, jthdate, dj, spno, spname, %1, curkc, actor) "
                            "values(?, ?, ?, ?, ?, ?, ?, ?)")
                 .arg(in ? QStringLiteral("jhsl") : QStringLiteral("thsl")),
             {in ? QStringLiteral("进货") : QStringLiteral("退货"), QDateTime::currentDateTime(), *p, spno,
              g.spname, *q, g.kcsl, operatorCode});
        t.commit();
    } catch (const db::DbError& e) {
        return Outcome::failure(e.saveMessage());
    }
    return Outcome::success(in ? QStringLiteral("进货成功") : QStringLiteral("退货成功"));
}

}  // namespace

Outcome receiveStock(const QSqlDatabase& db, const QString& spno, const QString& quantity, const QString& price)
{
    return move(db, spno, quantity, price, Movement::In);
}

Outcome returnStock(const QSqlDatabase& db, const QString& spno, const QString& quantity, const QString& price)
{
    return move(db, spno, quantity, price, Movement::Return);
}

}  // namespace mc::sales
