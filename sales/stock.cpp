#include "stock.h"

#include "database.h"
#include "transaction.h"

#include <cmath>

namespace mc::sales {

using db::exec;

namespace {

enum class Movement { In, Return };

std::optional<double> quantityOf(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v != std::floor(v))
        return std::nullopt;
    return v;
}

std::optional<Money> priceOf(const QString& text)
{
    const auto p = Money::parse(text);
    if (!p || *p < Money())
        return std::nullopt;
    return p;
}

Done move(const QSqlDatabase& db, const Session& session, const QString& spno, const QString& quantityText,
          const QString& priceText, Movement kind)
{
    const bool in = kind == Movement::In;
    const QString quantityField = QStringLiteral("quantity");
    const QString priceField = QStringLiteral("price");
    if (quantityText.trimmed().isEmpty())
        return Done::failure(QStringLiteral("必须录入商品数量"), quantityField);
    const auto q = quantityOf(quantityText);
    if (!q)
        return Done::failure(QStringLiteral("进货数量错误，无法保存"), quantityField);
    if (priceText.trimmed().isEmpty())
        return Done::failure(QStringLiteral("必须录入商品进货单价"), priceField);
    const auto p = priceOf(priceText);
    if (!p)
        return Done::failure(in ? QStringLiteral("进货单价错误，无法保存") : QStringLiteral("退货单价错误，无法保存"),
                             priceField);

    try {
        db::Transaction t(db);
        if (isServiceGoods(db, spno))
            return Done::failure(QStringLiteral("服务类商品无法进货"));
        // One statement reads and writes the stock, so a concurrent movement is never lost.
        // The right-hand sides see the values before the update. With no stock left after
        // the movement there is nothing to average: the previous average stays. The average
        // is kept to the ten-thousandth, as every amount is.
        const double signedQ = in ? *q : -*q;
        const double value = (*p * qint64(signedQ)).toDouble();
        QSqlQuery u = exec(db,
                           QStringLiteral("update xssp set "
                                          "pjjhdj = case when kcsl + ? = 0 then pjjhdj "
                                          "else round(cast((kcsl * pjjhdj + ?) / (kcsl + ?) as numeric), 4) end, "
                                          "kcsl = kcsl + ?") +
                               (in ? QStringLiteral(", jhdj = ?") : QString()) +
                               QStringLiteral(" where spno = ?") +
                               (in ? QString() : QStringLiteral(" and kcsl >= ?")),
                           in ? QVariantList{signedQ, value, signedQ, signedQ, p->toDouble(), spno}
                              : QVariantList{signedQ, value, signedQ, signedQ, spno, *q});
        if (u.numRowsAffected() != 1)
            return Done::failure(in ? QStringLiteral("商品不存在") : QStringLiteral("商品退货数量不能大于库存数量"),
                                 quantityField);
        const Goods g = *findGoods(db, spno);
        exec(db,
             QStringLiteral("insert into kccl(czsm, jthdate, dj, spno, spname, %1, curkc, actor) "
                            "values(?, ?, ?, ?, ?, ?, ?, ?)")
                 .arg(in ? QStringLiteral("jhsl") : QStringLiteral("thsl")),
             {in ? QStringLiteral("进货") : QStringLiteral("退货"), session.now, p->toDouble(), spno, g.spname, *q,
              g.kcsl, session.operatorCode});
        t.commit();
    } catch (const db::DbError& e) {
        return Done::failure(e.saveMessage());
    }
    return Done::success({}, in ? QStringLiteral("进货成功") : QStringLiteral("退货成功"));
}

}  // namespace

Done receiveStock(const QSqlDatabase& db, const Session& session, const QString& spno, const QString& quantity,
                  const QString& price)
{
    return move(db, session, spno, quantity, price, Movement::In);
}

Done returnStock(const QSqlDatabase& db, const Session& session, const QString& spno, const QString& quantity,
                 const QString& price)
{
    return move(db, session, spno, quantity, price, Movement::Return);
}

}  // namespace mc::sales
