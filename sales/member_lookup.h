#pragma once
// The checkout's member lookup: finds the member of a card number (or, without a card device,
// a member number) and refuses, in this order, a card not on file or cancelled, a lost card and
// an expired card; the checkout also hands count cards elsewhere.

#include "result.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

namespace mc::sales {

struct FoundMember {
    QVariantMap row;    // every membercurlist column, custom fields included
    QString classname;  // card kind of the member's class: 计次卡, 储值卡 or 折扣卡
    QString cardname;   // name of the member's class

    bool isCountCard() const { return classname == QStringLiteral("计次卡"); }
};

enum class LookupBy {
    Card,      // membercurlist.truecard, as typed or read
    MemberNo,  // membercurlist.memberno, as the member picker gives it
};

// The lookup's own refusals: not found (a cancelled card counts as not found), lost, expired
// (a card whose dqdate equals lastnfdate never expires). On success the message is
// "今天是该会员的生日" when `today` is the member's birthday, otherwise empty.
// Throws db::DbError when the database fails.
Result<FoundMember> findMember(const QSqlDatabase& db, LookupBy by, const QString& key, const QDate& today);

// The lookup as the consumption checkout runs it: findMember, then a count card is refused,
// since its uses are taken by the count-card checkout.
Result<FoundMember> lookupForCheckout(const QSqlDatabase& db, LookupBy by, const QString& key,
                                      const QDate& today);

}  // namespace mc::sales
