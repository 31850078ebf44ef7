#include "member_lookup.h"

#include "database.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace mc::sales {

namespace {

bool isExpired(const QVariantMap& row, const QDate& today)
{
    const QDateTime dqdate = db::toDateTime(row.value(QStringLiteral("dqdate")));
    const QDateTime lastnfdate = db::toDateTime(row.value(QStringLiteral("lastnfdate")));
    return dqdate != lastnfdate && dqdate.date() < today;
}

bool isBirthday(const QVariantMap& row, const QDate& today)
{
    const QDate birthday = db::toDateTime(row.value(QStringLiteral("birthday"))).date();
    return birthday.isValid() && birthday.month() == today.month() && birthday.day() == today.day();
}

}  // namespace

Result<FoundMember> findMember(const QSqlDatabase& db, LookupBy by, const QString& key, const QDate& today)
{
    const QString column = by == LookupBy::Card ? QStringLiteral("truecard") : QStringLiteral("memberno");
    QSqlQuery q = db::exec(db,
                           QStringLiteral("select m.*, c.classname as lookup_classname, c.cardname as lookup_cardname "
                                          "from membercurlist m left join cardclass c on c.cardno = m.cardno "
                                          "where m.%1 = ? and m.cardstatus <> ?")
                               .arg(column),
                           {key, QStringLiteral("注销")});
    if (!q.next())
        return Result<FoundMember>::failure(QStringLiteral("无法找到该卡号"));

    FoundMember found;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        found.row.insert(record.fieldName(i), q.value(i));
    found.classname = found.row.take(QStringLiteral("lookup_classname")).toString();
    found.cardname = found.row.take(QStringLiteral("lookup_cardname")).toString();

    if (found.row.value(QStringLiteral("cardstatus")).toString() == QStringLiteral("挂失"))
        return Result<FoundMember>::failure(QStringLiteral("该卡已经被挂失，无法消费"));
    if (isExpired(found.row, today))
        return Result<FoundMember>::failure(QStringLiteral("该卡已经过期，无法消费"));
    const bool birthday = isBirthday(found.row, today);
    return Result<FoundMember>::success(std::move(found),
                                        birthday ? QStringLiteral("今天是该会员的生日") : QString());
}

Result<FoundMember> lookupForCheckout(const QSqlDatabase& db, LookupBy by, const QString& key, const QDate& today)
{
    Result<FoundMember> found = findMember(db, by, key, today);
    if (found && found.value.isCountCard())
        return Result<FoundMember>::failure(QStringLiteral("该卡是计次卡，请使用计次消费"));
    return found;
}

}  // namespace mc::sales
