#include "amount_rules.h"

#include "database.h"
#include "settings/settings_cache.h"

#include <cmath>

namespace mc::sales {

using db::exec;

DiscountMode discountModeOf(int zkxffs)
{
    switch (zkxffs) {
    case 2:
        return DiscountMode::SingleUse;
    case 3:
        return DiscountMode::Accumulating;
    default:
        return DiscountMode::Direct;
    }
}

QString discountModeText(DiscountMode mode)
{
    switch (mode) {
    case DiscountMode::SingleUse:
        return QStringLiteral("折扣单次使用");
    case DiscountMode::Accumulating:
        return QStringLiteral("折扣可累计");
    case DiscountMode::Direct:
        break;
    }
    return QStringLiteral("直接折扣");
}

Money creditAfterSave(DiscountMode mode, Money syyhje, Money zkhje, Money bcdkje)
{
    switch (mode) {
    case DiscountMode::SingleUse:
        return zkhje;
    case DiscountMode::Accumulating:
        return syyhje + zkhje - bcdkje;
    case DiscountMode::Direct:
        break;
    }
    return syyhje - bcdkje;
}

long long roundHalfEven(double value)
{
    // nearbyint follows the default rounding direction, which is to nearest, ties to even.
    return static_cast<long long>(std::nearbyint(value));
}

long long wholeYuan(Money amount)
{
    // A half yuan is an exact double, so the tie goes to the even neighbour as it should.
    return roundHalfEven(amount.toDouble());
}

bool earnsPoints(const VoucherSetup& setup)
{
    return setup.points && setup.points->jfzt && setup.xfze >= setup.points->ksjfje &&
           setup.points->jffs == QStringLiteral("消费时积分");
}

int rulePoints(Money spzj, const ClassPointsRule& rule)
{
    if (rule.meixf == 0)
        return 0;
    return static_cast<int>(wholeYuan(spzj) / rule.meixf * rule.xfjf);
}

std::optional<int> moneyPoints(Money amount, Money mxfje)
{
    const long long step = wholeYuan(mxfje);
    if (step == 0)
        return std::nullopt;
    return static_cast<int>(wholeYuan(amount) / step);
}

std::optional<double> DbRuleSource::itemRate(const QString& cardno, const QString& spno,
                                             const QString& spclass) const
{
    QSqlQuery q = exec(db_, QStringLiteral("select xfzk from cardfj where cardno = ? and xmno = ?"),
                       {cardno, spno});
    if (q.next())
        return q.value(0).toDouble();
    q = exec(db_, QStringLiteral("select xfzk from cardfj where cardno = ? and xmclass = ?"),
             {cardno, spclass});
    if (q.next())
        return q.value(0).toDouble();
    return std::nullopt;
}

std::optional<ClassPointsRule> DbRuleSource::pointsRule(const QString& spno) const
{
    const QVariant spclass = db::scalar(db_, QStringLiteral("select spclass from xssp where spno = ?"), {spno});
    if (!spclass.isValid())
        return std::nullopt;
    // The rules of the class and of its sub-classes, the longest code first.
    QSqlQuery rule = exec(db_,
                          QStringLiteral("select meixf, xfjf from spxfjf where spclass like ? "
                                         "order by length(spclass) desc, spclass"),
                          {spclass.toString() + u'%'});
    if (!rule.next())
        return std::nullopt;
    return ClassPointsRule{rule.value(0).toInt(), rule.value(1).toInt()};
}

std::optional<VoucherSetup> loadVoucherSetup(const QSqlDatabase& db, const QString& memberno)
{
    QSqlQuery m = exec(db,
                       QStringLiteral("select m.cardno, m.xfze, m.syyhje, c.zkbl, c.zkxffs "
                                      "from membercurlist m left join cardclass c on c.cardno = m.cardno "
                                      "where m.memberno = ?"),
                       {memberno});
    if (!m.next())
        return std::nullopt;
    VoucherSetup s;
    s.memberno = memberno;
    s.cardno = m.value(0).toString();
    s.xfze = Money::fromDouble(m.value(1).toDouble());
    s.syyhje = Money::fromDouble(m.value(2).toDouble());
    s.mrzkl = m.value(3).toDouble();
    s.mode = discountModeOf(m.value(4).toInt());

    QSqlQuery p = exec(db, QStringLiteral("select jfzt, jffs, mxfje, ksjfje from xfjf order by pid"));
    if (p.next())
        s.points = PointsSettings{p.value(0).toBool(), p.value(1).toString(),
                                  Money::fromDouble(p.value(2).toDouble()), Money::fromDouble(p.value(3).toDouble())};

    s.places = settings.jeblxs;
    s.simpleMode = settings.jdms;
    s.defaultServiceType = settings.mrxfclass;
    return s;
}

}  // namespace mc::sales
