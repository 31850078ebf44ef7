#include "registration_fields.h"

#include "card_classes.h"
#include "database.h"
#include "utils/dates.h"
#include "utils/namecode.h"

namespace mc::members {

QString paddedMemberNo(const QString& memberno, int memberws)
{
    const QString t = memberno.trimmed();
    return memberws > 0 && !t.isEmpty() ? padzero(t, memberws) : t;
}

std::optional<QDate> birthdayFromIdentity(const QString& sfzh)
{
    QString text;
    if (sfzh.size() == 15)
        text = QStringLiteral("19") + sfzh.mid(6, 2) + u'-' + sfzh.mid(8, 2) + u'-' + sfzh.mid(10, 2);
    else if (sfzh.size() == 18)
        text = sfzh.mid(6, 4) + u'-' + sfzh.mid(10, 2) + u'-' + sfzh.mid(12, 2);
    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<ClassAmounts> classAmounts(const QSqlDatabase& db, const QString& cardno)
{
    // 0000 is the cash customer's class, never issued.
    QSqlQuery q = db::exec(db,
                           QStringLiteral("select classname, cardname, cardcs, czqs, cardyf, cardts, cardmoney, "
                                          "cardyajin from cardclass where cardno = ? and cardno <> '0000'"),
                           {cardno});
    if (!q.next())
        return std::nullopt;
    ClassAmounts c;
    c.classname = q.value(0).toString();
    c.cardname = q.value(1).toString();
    c.cardcs = q.value(2).toInt();
    c.czqs = c.classname == storedValueKind ? q.value(3).toDouble() : 1;
    c.usemonth = q.value(4).toInt();
    c.useday = q.value(5).toInt();
    c.khkjg = Money::fromDouble(q.value(6).toDouble());
    c.khyj = Money::fromDouble(q.value(7).toDouble());
    return c;
}

Totals registrationTotals(const ClassAmounts& c, Money deposit, Money khyhje, int jeblxs)
{
    Totals t;
    if (c.classname == storedValueKind) {
        t.khcksj = deposit;
        // A rate meets money only through the rounding rule: 100 × 1.1 is 110, not 110.0000000001.
        t.curmoney = Money::rounded(jeblxs, deposit.toDouble() * c.czqs);
    }
    if (c.classname == countKind)
        t.curcs = c.cardcs;
    t.khhjys = c.khkjg + c.khyj + t.khcksj;
    t.khssje = t.khhjys - khyhje;
    return t;
}

QDateTime expiryDate(const QDateTime& khdate, int usemonth, int useday)
{
    return incdate(QStringLiteral("D"), useday, incdate(QStringLiteral("M"), usemonth, khdate));
}

QStringList paymentAccounts(const QSqlDatabase& db)
{
    return db::firstColumn(db, QStringLiteral("select zhname from gszh order by pid"));
}

}  // namespace mc::members
