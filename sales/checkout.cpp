#include "checkout.h"

#include "amounts.h"
#include "checkout_writes.h"
#include "database.h"
#include "goods.h"
#include "member_lookup.h"
#include "services.h"
#include "settings_cache.h"
#include "transaction.h"
#include "utils/password.h"

namespace mc::sales {

using db::exec;
using namespace checkout_rows;

namespace {

const QString discountCard = QStringLiteral("折扣卡");

// ---- the member ------------------------------------------------------------------------------

Member memberOf(const FoundMember& found)
{
    const QVariantMap& row = found.row;
    Member m;
    m.pid = row.value(QStringLiteral("pid")).toInt();
    m.memberno = row.value(QStringLiteral("memberno")).toString();
    m.truecard = row.value(QStringLiteral("truecard")).toString();
    m.membername = row.value(QStringLiteral("membername")).toString();
    m.cardno = row.value(QStringLiteral("cardno")).toString();
    m.curmoney = Money::fromDouble(row.value(QStringLiteral("curmoney")).toDouble());
    m.memberpwd = row.value(QStringLiteral("memberpwd")).toString();
    m.cardname = found.cardname;
    m.classname = found.classname;
    return m;
}

// The member the input names, through the checkout's lookup with its refusals.
Result<Member> findCheckoutMember(const QSqlDatabase& db, const CheckoutInput& in, const QDate& today)
{
    const Result<FoundMember> found =
        in.memberno.isEmpty() ? lookupForCheckout(db, LookupBy::Card, in.cash ? cashCustomerNo : in.card, today)
                              : lookupForCheckout(db, LookupBy::MemberNo, in.memberno, today);
    if (!found)
        return Result<Member>::failure(found);
    return Result<Member>::success(memberOf(found.value));
}

// ---- staff -------------------------------------------------------------------------------------

std::optional<ServingStaff> findStaff(const QSqlDatabase& db, const QString& ygid)
{
    QSqlQuery q = exec(db, QStringLiteral("select ygid, ygname, dep_id from gsyg where ygid = ?"), {ygid});
    if (!q.next())
        return std::nullopt;
    return ServingStaff{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
}

// ---- the checks on the input -------------------------------------------------------------------

// What the window lets this operator type, by the settings and the class's discount mode.
QString typingRefusal(const CheckoutInput& in, const VoucherSetup& setup)
{
    const SettingsCache& s = settings;
    if (setup.simpleMode && !in.lines.isEmpty())
        return QStringLiteral("简单模式下不能录入消费商品");
    if (!setup.simpleMode && !in.sjxfje.isZero())
        return QStringLiteral("消费金额由消费商品计算，不能直接录入");
    if (in.sjxfje < Money() || in.otyh < Money() || in.otsk < Money())
        return QStringLiteral("金额不能小于0");
    if (in.sjzkl && (!s.yxxgzk || *in.sjzkl < 0 || *in.sjzkl > 10))
        return s.yxxgzk ? QStringLiteral("折扣率必须在0-10之间") : QStringLiteral("不允许修改会员折扣率");
    for (const CheckoutLine& l : in.lines) {
        if (l.spnum <= 0)
            return QStringLiteral("商品") + l.spno + QStringLiteral("的数量必须大于0");
        if (l.spdj && !s.xxxgspjg)
            return QStringLiteral("不允许修改商品价格");
        if (l.spzkl && (!s.yxxgzk || setup.mode != DiscountMode::Direct))
            return QStringLiteral("不允许修改商品折扣率");
        if (l.spzkl && (*l.spzkl < 0 || *l.spzkl > 10))
            return QStringLiteral("折扣率必须在0-10之间");
        if ((l.spdj && *l.spdj < Money()) || (l.spjsjg && *l.spjsjg < Money()) || (l.yggz && *l.yggz < Money()))
            return QStringLiteral("金额不能小于0");
    }
    return {};
}

// The save's checks that need nothing but the input: staff and service type, something to
// sell, the payment account.
QString inputRefusal(const CheckoutInput& in, const VoucherSetup& setup, const QString& jkfs)
{
    const SettingsCache& s = settings;
    if (s.xfsuseyg || s.xfbxxzclass) {
        if (setup.simpleMode) {
            if (in.ygid.isEmpty())
                return QStringLiteral("必须选择服务员");
        } else {
            for (const CheckoutLine& l : in.lines) {
                if (s.xfsuseyg && l.ygid.isEmpty() && in.ygid.isEmpty())
                    return QStringLiteral("消费商品必须选择服务员");
                if (s.xfbxxzclass && l.fwclass.isEmpty() && s.mrxfclass.isEmpty())
                    return QStringLiteral("消费商品必须选择服务类型");
            }
        }
    }
    if (setup.simpleMode && in.sjxfje.isZero())
        return QStringLiteral("必须录入消费金额");
    if (!setup.simpleMode && in.lines.isEmpty())
        return QStringLiteral("必须录入消费商品");
    if (jkfs.isEmpty())
        return QStringLiteral("必须选择缴款方式");
    return {};
}

// ---- the amounts -------------------------------------------------------------------------------

// Runs the window's calculator over the input, as the window feeds it: each goods item added,
// then the cells typed into its line, then the voucher's own boxes.
Result<Amounts> computeAmounts(const QSqlDatabase& db, const CheckoutInput& in, const VoucherSetup& setup,
                               const std::optional<ServingStaff>& voucherStaff)
{
    const DbRuleSource rules(db);
    VoucherAmounts calc(setup, rules);
    if (voucherStaff)
        calc.setStaff(*voucherStaff);
    if (in.sjzkl)
        calc.setRate(*in.sjzkl);
    for (const CheckoutLine& l : in.lines) {
        const std::optional<GoodsItem> g = goodsItem(db, l.spno);
        if (!g)
            return Result<Amounts>::failure(QStringLiteral("找不到商品") + l.spno + QStringLiteral("的信息"));
        calc.addGoods(*g, l.spnum);
        calc.saveLine();
        // The same goods twice are one line with the quantities added.
        int index = 0;
        while (calc.lines().at(index).spno != l.spno)
            ++index;
        if (l.spdj || l.spzkl || l.spjsjg) {
            calc.openLine(index);
            if (l.spdj)
                calc.editPrice(*l.spdj);
            if (l.spzkl)
                calc.editRate(*l.spzkl);
            if (l.spjsjg)
                calc.editSettlementPrice(*l.spjsjg);
            calc.saveLine();
        }
        if (!l.ygid.isEmpty()) {
            const std::optional<ServingStaff> staff = findStaff(db, l.ygid);
            if (!staff)
                return Result<Amounts>::failure(QStringLiteral("找不到员工") + l.ygid);
            calc.setLineStaff(index, *staff);
        }
        if (!l.fwclass.isEmpty())
            calc.setLineServiceType(index, l.fwclass);
        if (l.yggz)
            calc.setLineCommission(index, *l.yggz);
    }
    if (setup.simpleMode)
        calc.setAmountDue(in.sjxfje);
    if (in.usecredit)
        calc.setUseCredit(true);
    // A box runs its procedure when its value changes, as the window's boxes do when typed into.
    if (!in.otyh.isZero())
        calc.setOtherReduction(in.otyh);
    if (!in.otsk.isZero())
        calc.setOtherCharge(in.otsk);
    return Result<Amounts>::success({calc.totals(), calc.lines()});
}

}  // namespace

bool readsCardAtSave(int cardMode, const QString& classname)
{
    return cardMode == 2 && classname == storedValueCard;
}

std::optional<GoodsItem> goodsItem(const QSqlDatabase& db, const QString& spno)
{
    const std::optional<Goods> g = findGoods(db, spno);
    if (!g)
        return std::nullopt;
    return GoodsItem{g->spno, g->spname, g->spclass, g->xsjg, g->istj, isServiceGoods(db, spno)};
}

Result<CheckoutDone> checkout(const QSqlDatabase& db, const CheckoutInput& in, const Session& session,
                              const CardWriter& writeCard)
{
    using R = Result<CheckoutDone>;
    if (int(!in.card.isEmpty()) + int(!in.memberno.isEmpty()) + int(in.cash) != 1)
        return R::failure(QStringLiteral("必须指定会员卡号、会员编号或现金消费中的一个"));
    try {
        // Every check that reads the database runs inside the transaction, so nothing another
        // workstation does comes between a check and its write.
        db::Transaction transaction(db);

        // ---- the checks, in the window's order ----
        const Result<Member> found = findCheckoutMember(db, in, session.now.date());
        if (!found)
            return R::failure(found);
        const Member& member = found.value;
        const std::optional<VoucherSetup> loaded = loadVoucherSetup(db, member.memberno);
        if (!loaded)
            return R::failure(QStringLiteral("无法找到该卡号"));
        const VoucherSetup& setup = *loaded;
        // What the window would not have let the operator type comes first: the command can
        // send anything.
        const bool storedValue = member.classname == storedValueCard;
        if (storedValue && in.jkfs && !in.jkfs->isEmpty() && *in.jkfs != fromBalance)
            return R::failure(QStringLiteral("储值卡消费只能卡内扣除"), QStringLiteral("jkfs"));
        if (const QString refusal = typingRefusal(in, setup); !refusal.isEmpty())
            return R::failure(refusal);
        std::optional<ServingStaff> voucherStaff;
        if (!in.ygid.isEmpty()) {
            voucherStaff = findStaff(db, in.ygid);
            if (!voucherStaff)
                return R::failure(QStringLiteral("找不到员工") + in.ygid, QStringLiteral("ygid"));
        }
        const bool icCard = readsCardAtSave(in.cardMode, member.classname);
        if (icCard && !in.icCard)
            return R::failure(QStringLiteral("没有读到会员卡，消费没有保存"));

        Result<Amounts> computed = computeAmounts(db, in, setup, voucherStaff);
        if (!computed)
            return R::failure(computed);
        Amounts& amounts = computed.value;
        const Money xfje = amounts.totals.xfje;
        if (icCard) {
            if (in.icCard->cardNumber != member.truecard)
                return R::failure(QStringLiteral("目前放置的卡片不是现在该记录对应的卡号,请重新放置"));
            if (in.icCard->balance - xfje < Money())
                return R::failure(QStringLiteral("当前卡内余额不足，无法消费"));
        } else if (storedValue && member.curmoney - xfje < Money()) {
            return R::failure(QStringLiteral("当前余额不足，无法消费"));
        }
        const QString jkfs = storedValue ? fromBalance : in.jkfs.value_or(QStringLiteral("现金"));
        if (const QString refusal = inputRefusal(in, setup, jkfs); !refusal.isEmpty())
            return R::failure(refusal);
        if (!member.memberpwd.isEmpty() && encodepwd(in.password) != member.memberpwd)
            return R::failure(QStringLiteral("密码录入错误,无法消费"), QStringLiteral("password"));

        // ---- the writes ----
        Save s{db, session, member, setup, amounts, jkfs, voucherStaff, createdh(db, QStringLiteral("xfd"), session.now.date())};
        if (const Done taken = takeStock(s); !taken)
            return R::failure(taken);
        writeLines(s);

        const Result<MemberAfter> moved = moveMember(s, storedValue);
        if (!moved)
            return R::failure(moved);
        const Money curmoney = moved.value.curmoney;
        const Money syyhje = moved.value.syyhje;
        int xfjf = moved.value.xfjf;
        const VoucherTotals& t = amounts.totals;
        const Money sjkye = storedValue ? curmoney + xfje : curmoney;

        writeVoucher(s, curmoney, sjkye, icCard ? in.icCard->balance : Money());
        if (member.classname == discountCard) {
            if (const Done booked = bookToAccount(s); !booked)
                return R::failure(booked);
        }
        if (t.bcxfjf != 0)
            appendPointsRow(s, t.bcxfjf, 0, xfjf);

        const Result<std::optional<Upgrade>> upgraded = upgrade(s, xfjf);
        if (!upgraded)
            return R::failure(upgraded);
        const std::optional<Upgrade>& up = upgraded.value;
        if (up)
            xfjf = up->xfjf;

        if (icCard) {
            const CardWrite write{member.truecard, curmoney, up ? up->cardno : member.cardno};
            const Done written = writeCard ? writeCard(write) : Done::failure({});
            if (!written)
                return R::failure(written.message.isEmpty() ? QStringLiteral("未完成写卡,无法保存") : written.message);
        }
        transaction.commit();

        CheckoutDone done;
        done.xfdh = s.xfdh;
        done.sjxfje = t.sjxfje;
        done.zkhje = t.zkhje;
        done.bcdkje = t.bcdkje;
        done.xfje = xfje;
        done.bcxfjf = t.bcxfjf;
        done.curmoney = curmoney;
        done.xfjf = xfjf;
        done.syyhje = syyhje;
        done.cardno = up ? up->cardno : member.cardno;
        done.upgraded = up.has_value();
        done.memberno = member.memberno;
        done.membername = member.membername;
        done.cardname = member.cardname;
        done.bigClass = member.classname;
        done.zkfs = discountModeText(setup.mode);
        done.otyh = t.otyh;
        done.otsk = t.otsk;
        done.simpleMode = setup.simpleMode;
        done.lines = amounts.lines;
        return R::success(done, up ? QStringLiteral("消费完成，该会员卡类型已经升级为") + up->cardname
                                   : QStringLiteral("消费完成"));
    } catch (const db::DbError& e) {
        return R::failure(e.saveMessage());
    }
}

}  // namespace mc::sales
