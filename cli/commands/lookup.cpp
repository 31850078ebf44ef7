// lookup: the checkout's member lookup. {"card": c} or {"memberno": m} → the member row with its
// class's kind and name, or the lookup's refusal.

#include "command.h"
#include "json_rows.h"
#include "member_lookup.h"

namespace mc::cli {

namespace {

Output lookup(const Input& input, const Session& session, const QSqlDatabase& db)
{
    const bool byCard = input.has(QStringLiteral("card"));
    const auto found = sales::lookupForCheckout(db, byCard ? sales::LookupBy::Card : sales::LookupBy::MemberNo,
                                                input.text(byCard ? QStringLiteral("card") : QStringLiteral("memberno")),
                                                session.now.date());
    if (!found)
        return Output::failure(found);
    QJsonObject member = rowToJson(found.value.row, "membercurlist");
    member.insert(QStringLiteral("classname"), found.value.classname);
    member.insert(QStringLiteral("cardname"), found.value.cardname);
    return Output::success(member, found.message);
}

const Registration registration{{
    QStringLiteral("lookup"),
    QStringLiteral("M1"),  // 会员消费
    {{QStringLiteral("card"), KeyType::Text}, {QStringLiteral("memberno"), KeyType::Text}},
    {{QStringLiteral("card"), QStringLiteral("memberno")}},
    lookup,
}};

}  // namespace

}  // namespace mc::cli
