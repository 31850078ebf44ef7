#include "books_rules.h"

#include <QHash>

#include <functional>

namespace mc::books {

namespace {

using Rule = std::function<void(MemberFigures&, const JournalRow&)>;

// The discount credit a consumption leaves, by the voucher's discount mode: credit for the next
// purchase only replaces what was there, credit that adds up grows by the new discount less what
// was used, and a direct discount only uses up old credit.
void consumeCredit(MemberFigures& f, const JournalRow& r)
{
    if (r.zkfs == QStringLiteral("折扣单次使用"))
        f.credit = r.zkhje;
    else if (r.zkfs == QStringLiteral("折扣可累计"))
        f.credit += r.zkhje - r.bcdkje;
    else
        f.credit -= r.bcdkje;
}

const QHash<QString, Rule>& rules()
{
    static const QHash<QString, Rule> table = {
        // Registration: the opening balance credited to a card.
        {QStringLiteral("开户"), [](MemberFigures& f, const JournalRow& r) { f.money += r.ckje; }},
        // Registration of a count card: the uses granted.
        {QStringLiteral("计次开户"), [](MemberFigures& f, const JournalRow& r) { f.uses += r.ckje; }},
        // Checkout: a stored-value card pays from its balance ("卡内扣除"); other cards pay into
        // an account, which the ledger rule covers. Every kind moves the discount credit.
        {QStringLiteral("消费"),
         [](MemberFigures& f, const JournalRow& r) {
             if (r.jkfs == QStringLiteral("卡内扣除"))
                 f.money -= r.xfje;
             consumeCredit(f, r);
         }},
    };
    return table;
}

}  // namespace

bool applyJournalRow(MemberFigures& figures, const JournalRow& row)
{
    const auto rule = rules().constFind(row.zmfs);
    if (rule == rules().constEnd())
        return false;
    (*rule)(figures, row);
    return true;
}

}  // namespace mc::books
