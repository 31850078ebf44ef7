#include "member_pick.h"

#include "database.h"

namespace mc::members {

QSqlQuery memberPickList(const QSqlDatabase& db, const MemberFilter& filter)
{
    QString sql = QStringLiteral(
        "select m.memberno, m.membername, c.cardname, m.curmoney, m.curcs, m.khdate, m.dqdate, m.sfzh, m.xfcs, "
        "m.xfze, m.cardstatus, m.cardno from membercurlist m left join cardclass c on c.cardno = m.cardno "
        "where m.cardstatus <> '注销' and m.memberno <> '0000'");
    QVariantList params;
    if (filter.by == MemberFilter::By::Kind) {
        sql += QStringLiteral(" and c.classname = ?");
        params << filter.value;
    } else if (filter.by == MemberFilter::By::Class) {
        sql += QStringLiteral(" and m.cardno = ?");
        params << filter.value;
    }
    return db::browse(db, sql + QStringLiteral(" order by m.memberno"), params);
}

}  // namespace mc::members
