#include "registration_ticket.h"

#include "card_classes.h"
#include "database.h"

namespace mc::members {

QStringList registrationTicket(const RegistrationDone& m, const QString& operatorName, const QDateTime& savedAt)
{
    const QString dayFormat = QStringLiteral("yyyy-MM-dd");
    QStringList lines = {QStringLiteral("会员编号:") + m.memberno, QStringLiteral("会员姓名") + m.membername,
                         QStringLiteral("类别:会员注册"), QStringLiteral("卡类型:") + m.cardname,
                         QStringLiteral("卡大类:") + m.classname};
    if (m.classname == storedValueKind) {
        lines << QStringLiteral("卡内实存:") + m.curmoney.text();
        if (m.curmoney != m.khcksj)
            lines << QStringLiteral("实交存款:") + m.khcksj.text();
    } else if (m.classname == countKind) {
        lines << QStringLiteral("消费次数:") + QString::number(m.curcs);
    }
    const std::pair<const char*, Money> amounts[] = {
        {"卡价格:", m.khkjg}, {"押金:", m.khyj}, {"优惠金额:", m.khyhje}, {"实收金额:", m.khssje}};
    for (const auto& [caption, amount] : amounts)
        if (!amount.isZero())
            lines << QString::fromUtf8(caption) + amount.text();
    lines << QStringLiteral("交款方式:") + m.khjkfs;
    if (m.xfjf != 0)
        lines << QStringLiteral("开户积分:") + QString::number(m.xfjf);
    if (m.dqdate.date() != m.khdate.date())
        lines << QStringLiteral("到期日期:") + m.dqdate.toString(dayFormat);
    lines << QStringLiteral("操作员:") + operatorName << QStringLiteral("开户日期:") + savedAt.toString(dayFormat)
          << QStringLiteral("开户时间:") + savedAt.toString(QStringLiteral("hh:mm:ss"));
    return lines;
}

QSqlQuery ticketRow(const QSqlDatabase& db, int pid)
{
    // By pid: the member just saved, not whichever row is newest by the time it prints.
    return db::exec(db,
                    QStringLiteral("select m.*, c.cardname, c.classname from membercurlist m "
                                   "left join cardclass c on c.cardno = m.cardno where m.pid = ?"),
                    {pid});
}

}  // namespace mc::members
