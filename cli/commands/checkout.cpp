// checkout: the consumption checkout. The member by `card`, `memberno` or `"cash": true` (the
// cash customer 0000); goods `lines` in detailed mode or the amount `sjxfje` in simple mode; the
// voucher's rate, account, extra discount and charge, the discount credit, the voucher's staff
// and the member's password. In card mode 2 a stored-value card is read on the reader before the
// save and written with the new balance as its last step, as the window does.

#include "checkout.h"
#include "command.h"
#include "ic_card_io.h"
#include "member_lookup.h"
#include "settings_cache.h"
#include "start_state.h"

namespace mc::cli {

namespace {

using sales::CheckoutInput;
using sales::CheckoutLine;

const QString storedValueCard = QStringLiteral("储值卡");

std::optional<Money> moneyIfGiven(const QJsonObject& o, const QString& key)
{
    return o.contains(key) ? std::optional(Money::fromDouble(o.value(key).toDouble())) : std::nullopt;
}

CheckoutLine lineOf(const QJsonObject& o)
{
    CheckoutLine l;
    l.spno = o.value(QStringLiteral("spno")).toString();
    l.spnum = o.contains(QStringLiteral("spnum")) ? o.value(QStringLiteral("spnum")).toInt() : 1;
    l.spdj = moneyIfGiven(o, QStringLiteral("spdj"));
    if (o.contains(QStringLiteral("spzkl")))
        l.spzkl = o.value(QStringLiteral("spzkl")).toDouble();
    l.spjsjg = moneyIfGiven(o, QStringLiteral("spjsjg"));
    l.ygid = o.value(QStringLiteral("ygid")).toString();
    l.fwclass = o.value(QStringLiteral("fwclass")).toString();
    l.yggz = moneyIfGiven(o, QStringLiteral("yggz"));
    return l;
}

// The member's class kind, to know whether an IC card holds its balance.
QString memberKind(const QSqlDatabase& db, const CheckoutInput& in, const QDate& today)
{
    if (in.cash)
        return {};
    const bool byCard = !in.card.isEmpty();
    const auto found = sales::findMember(db, byCard ? sales::LookupBy::Card : sales::LookupBy::MemberNo,
                                         byCard ? in.card : in.memberno, today);
    return found ? found.value.classname : QString();
}

Output checkoutCommand(const Input& input, const Session& session, const QSqlDatabase& db)
{
    loadSettingsCache(db);
    CheckoutInput in;
    in.card = input.text(QStringLiteral("card"));
    in.memberno = input.text(QStringLiteral("memberno"));
    in.cash = input.flag(QStringLiteral("cash"));
    for (const QJsonValue& line : input.list(QStringLiteral("lines")))
        in.lines.append(lineOf(line.toObject()));
    in.sjxfje = input.money(QStringLiteral("sjxfje"));
    if (input.has(QStringLiteral("sjzkl")))
        in.sjzkl = input.number(QStringLiteral("sjzkl"));
    if (input.has(QStringLiteral("jkfs")))
        in.jkfs = input.text(QStringLiteral("jkfs"));
    in.otyh = input.money(QStringLiteral("otyh"));
    in.otsk = input.money(QStringLiteral("otsk"));
    in.usecredit = input.flag(QStringLiteral("usecredit"));
    in.ygid = input.text(QStringLiteral("ygid"));
    in.password = input.text(QStringLiteral("password"));
    in.cardMode = loadStartState(db, session.operatorClass).cardMode;

    // The card is read before the save begins, as the window reads it before its save.
    const bool icCard = in.cardMode == 2 && memberKind(db, in, session.now.date()) == storedValueCard;
    if (icCard) {
        const auto read = readIcCard(db);
        if (!read)
            return Output::failure(read.message.isEmpty() ? QStringLiteral("没有读到会员卡，消费没有保存") : read.message);
        in.icCard = sales::CardRead{read.value.cardNumber, Money::parse(read.value.balance).value_or(Money())};
    }
    const sales::CardWriter writeCard = [&db](const sales::CardWrite& w) {
        devices::IcCardData card;
        card.cardNumber = w.cardNumber;
        card.kindText = storedValueCard;
        card.classCode = w.classCode;
        card.value = w.balance.toDouble();
        return writeIcCard(db, card, false) ? Done::success() : Done::failure({});
    };

    const auto done = sales::checkout(db, in, session, icCard ? writeCard : sales::CardWriter{});
    if (!done)
        return Output::failure(done);
    const sales::CheckoutDone& d = done.value;
    QJsonObject out{{QStringLiteral("xfdh"), d.xfdh},
                    {QStringLiteral("sjxfje"), d.sjxfje.toDouble()},
                    {QStringLiteral("zkhje"), d.zkhje.toDouble()},
                    {QStringLiteral("bcdkje"), d.bcdkje.toDouble()},
                    {QStringLiteral("xfje"), d.xfje.toDouble()},
                    {QStringLiteral("bcxfjf"), d.bcxfjf},
                    {QStringLiteral("curmoney"), d.curmoney.toDouble()},
                    {QStringLiteral("xfjf"), d.xfjf},
                    {QStringLiteral("syyhje"), d.syyhje.toDouble()}};
    if (d.upgraded) {
        out.insert(QStringLiteral("cardno"), d.cardno);
        out.insert(QStringLiteral("upgraded"), true);
    }
    return Output::success(out, done.message);
}

const QList<Key> lineKeys = {
    {QStringLiteral("spno"), KeyType::Text, true}, {QStringLiteral("spnum"), KeyType::Integer},
    {QStringLiteral("spdj"), KeyType::Number},     {QStringLiteral("spzkl"), KeyType::Number},
    {QStringLiteral("spjsjg"), KeyType::Number},   {QStringLiteral("ygid"), KeyType::Text},
    {QStringLiteral("fwclass"), KeyType::Text},    {QStringLiteral("yggz"), KeyType::Number},
};

const Registration registration{{
    QStringLiteral("checkout"),
    QStringLiteral("M1"),  // 会员消费
    {{QStringLiteral("card"), KeyType::Text},
     {QStringLiteral("memberno"), KeyType::Text},
     {QStringLiteral("cash"), KeyType::Bool},
     {QStringLiteral("lines"), KeyType::List, false, lineKeys},
     {QStringLiteral("sjxfje"), KeyType::Number},
     {QStringLiteral("sjzkl"), KeyType::Number},
     {QStringLiteral("jkfs"), KeyType::Text},
     {QStringLiteral("otyh"), KeyType::Number},
     {QStringLiteral("otsk"), KeyType::Number},
     {QStringLiteral("usecredit"), KeyType::Bool},
     {QStringLiteral("ygid"), KeyType::Text},
     {QStringLiteral("password"), KeyType::Text}},
    {{QStringLiteral("card"), QStringLiteral("memberno"), QStringLiteral("cash")}},
    checkoutCommand,
}};

}  // namespace

}  // namespace mc::cli
