#include "checkout.h"

#include "amounts.h"
#include "counters.h"
#include "database.h"
#include "goods.h"
#include "member_lookup.h"
#include "services.h"
#include "settings_cache.h"
#include "transaction.h"
#include "utils/password.h"

#include <cmath>

namespace mc::sales {

using db::exec;
using db::scalar;

namespace {

const QString storedValueCard = QStringLiteral("储值卡");
const QString discountCard = QStringLiteral("折扣卡");
const QString fromBalance = QStringLiteral("卡内扣除");

// ---- the member ------------------------------------------------------------------------------

struct Member {
    int pid = 0;
    QString memberno;
    QString truecard;
    QString membername;
    QString cardno;
    Money curmoney;
    QString memberpwd;
    QString cardname;
    QString classname;  // 卡大类
};

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
    const int named = int(!in.card.isEmpty()) + int(!in.memberno.isEmpty()) + int(in.cash);
    if (named != 1)
        return Result<Member>::failure(QStringLiteral("必须指定会员卡号、会员编号或现金消费中的一个"));
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

struct Amounts {
    VoucherTotals totals;
    QList<VoucherLine> lines;
};

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
        const std::optional<Goods> g = findGoods(db, l.spno);
        if (!g)
            return Result<Amounts>::failure(QStringLiteral("找不到商品") + l.spno + QStringLiteral("的信息"));
        calc.addGoods(GoodsItem{g->spno, g->spname, g->spclass, g->xsjg, g->istj, isServiceGoods(db, l.spno)},
                      l.spnum);
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

// ---- the writes --------------------------------------------------------------------------------

struct Save {
    const QSqlDatabase& db;
    const Session& session;
    const Member& member;  // as read again inside the transaction
    const VoucherSetup& setup;
    Amounts& amounts;
    QString jkfs;
    std::optional<ServingStaff> voucherStaff;
    QString xfdh;
};

// Takes each line's quantity out of stock with its "销售" movement; service goods have no
// stock. Returns the refusal, empty when every line could be taken.
QString takeStock(Save& s)
{
    for (VoucherLine& l : s.amounts.lines) {
        if (l.isfwxsp)
            continue;
        QSqlQuery g = exec(s.db, QStringLiteral("select spname, jhdj from xssp where spno = ?"), {l.spno});
        if (!g.next())
            return QStringLiteral("找不到商品") + l.spname + QStringLiteral("的信息");
        // One statement moves the stock, so a sale at another workstation is never lost; the
        // refusal looks at the stock this sale leaves.
        const double kcsl = db::addTo(s.db, QStringLiteral("xssp"), QStringLiteral("kcsl"), -l.spnum,
                                      QStringLiteral("spno"), l.spno);
        if (std::nearbyint(kcsl) < 0 && !settings.kcwlxf)
            return QStringLiteral("商品") + l.spname + QStringLiteral("的库存数量不足");
        l.cbdj = Money::fromDouble(g.value(1).toDouble());
        exec(s.db,
             QStringLiteral("insert into kccl(czsm, jthdate, dj, cbdj, spno, spname, xssl, curkc, xfdh, actor) "
                            "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {QStringLiteral("销售"), s.session.now, l.spdj.toDouble(), l.cbdj.toDouble(), l.spno,
              g.value(0).toString(), l.spnum, kcsl, s.xfdh, s.session.operatorCode});
    }
    return {};
}

void writeLines(const Save& s)
{
    const QString sql = QStringLiteral(
        "insert into xfsp(xfno, memberid, memberno, spno, spname, spdj, ydzkl, spzkl, spnum, zkjg, spjsjg, "
        "spzj, cbdj, actor, lrdate, jsdate, jsr, isfwxsp, istjsp, xfjf, ygid, ygname, dep_id, fwclass, ygtc, "
        "fdh, scip, issc) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const VoucherLine& l : s.amounts.lines) {
        // Service goods took no stock, so they have no cost price.
        const QVariant cbdj = l.isfwxsp ? QVariant(QMetaType::fromType<double>()) : QVariant(l.cbdj.toDouble());
        exec(s.db, sql,
             {s.xfdh, s.member.pid, s.member.memberno, l.spno, l.spname, l.spdj.toDouble(), l.ydzkl, l.spzkl,
              l.spnum, l.zkjg.toDouble(), l.spjsjg.toDouble(), l.spzj.toDouble(), cbdj, s.session.operatorCode,
              s.session.now, s.session.now, s.session.operatorCode, l.isfwxsp, l.istjsp, l.xfjf, l.staff.ygid,
              l.staff.ygname, l.staff.depId, l.fwclass, l.ygtc.toDouble(), s.session.branch, s.session.address,
              false});
    }
}

// The member's discount credit after the save. The single-use mode replaces what is left, a
// plain assignment; the other modes only add and take off, so their change does not depend on
// what the member holds and moves the column in place.
Money moveCredit(const Save& s)
{
    const VoucherTotals& t = s.amounts.totals;
    const Money change = creditAfterSave(s.setup.mode, Money(), t.zkhje, t.bcdkje);
    if (s.setup.mode == DiscountMode::SingleUse) {
        exec(s.db, QStringLiteral("update membercurlist set syyhje = ? where pid = ?"), {change.toDouble(), s.member.pid});
        return change;
    }
    return db::addTo(s.db, QStringLiteral("membercurlist"), QStringLiteral("syyhje"), change, QStringLiteral("pid"),
                     s.member.pid);
}

// The voucher row (`memberxx`), paid at once: written by the save only, so a voucher the
// operator abandons leaves nothing behind.
void writeVoucher(const Save& s, Money curmoney, Money sjkye, Money knye)
{
    const VoucherTotals& t = s.amounts.totals;
    const ServingStaff staff = s.voucherStaff.value_or(ServingStaff{});
    exec(s.db,
         QStringLiteral("insert into memberxx(memberid, memberno, membername, zmfs, jkfs, ckje, xfje, curye, sjxfje, "
                        "zkhje, bcdkje, dkhje, mrzkl, sjzkl, zkfs, otyh, otsk, sjkye, knye, bcxfjf, actor, xfdh, "
                        "issk, skdate, bcdate, bcactor, ygid, ygname, dep_id, iszf, fdh, scip, issc) "
                        "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?)"),
         {s.member.pid, s.member.memberno, s.member.membername, QStringLiteral("消费"), s.jkfs, 0.0,
          t.xfje.toDouble(), curmoney.toDouble(), t.sjxfje.toDouble(), t.zkhje.toDouble(), t.bcdkje.toDouble(),
          t.dkhje.toDouble(), t.mrzkl, t.sjzkl, discountModeText(s.setup.mode), t.otyh.toDouble(), t.otsk.toDouble(),
          sjkye.toDouble(), knye.toDouble(), t.bcxfjf, s.session.operatorName, s.xfdh, true, s.session.now,
          s.session.now, s.session.operatorName, staff.ygid, staff.ygname, staff.depId, false, s.session.branch,
          s.session.address, false});
}

// A discount card pays into the account it names: the account's balance and the operator's
// ledger row. Returns the refusal, empty when booked.
QString bookToAccount(const Save& s)
{
    if (!scalar(s.db, QStringLiteral("select pid from gszh where zhname = ?"), {s.jkfs}).isValid())
        return QStringLiteral("缴款帐户不存在");
    db::LedgerEntry entry;
    entry.actorId = s.session.operatorCode;
    entry.actorName = s.session.operatorName;
    entry.memberNo = s.member.memberno;
    entry.when = s.session.now;
    entry.account = s.jkfs;
    entry.item = QStringLiteral("会员消费");
    entry.received = s.amounts.totals.xfje;
    entry.due = s.amounts.totals.sjxfje;
    db::appendLedgerRow(s.db, entry);
    return {};
}

void appendPointsRow(const Save& s, int hdjf, int kcjf, int curjf)
{
    exec(s.db,
         QStringLiteral("insert into memberjf(memberno, pdatetime, jffs, hdjf, kcjf, curjf, xfdh, actor, fdh, scip, issc) "
                        "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {s.member.memberno, s.session.now, QStringLiteral("消费积分"), hdjf, kcjf, curjf, s.xfdh,
          s.session.operatorName, s.session.branch, s.session.address, false});
}

struct Upgrade {
    QString cardno;
    QString cardname;
    int xfjf = 0;
};

// One step up when the class's first upgrade rule is reached. Returns the refusal in `refusal`.
std::optional<Upgrade> upgrade(const Save& s, int xfjf, QString& refusal)
{
    if (scalar(s.db, QStringLiteral("select count(*) from sysset")).toInt() == 0)
        return std::nullopt;
    QSqlQuery rule = exec(s.db, QStringLiteral("select sjjf, sjhcardno, clearjf from autosj where cardno = ? order by pid"),
                          {s.member.cardno});
    if (!rule.next() || rule.value(0).toInt() > xfjf)
        return std::nullopt;
    const int sjjf = rule.value(0).toInt();
    const QString target = rule.value(1).toString();
    const QVariant name = scalar(s.db, QStringLiteral("select cardname from cardclass where cardno = ?"), {target});
    if (!name.isValid()) {
        refusal = QStringLiteral("系统启用了卡类自动升级，但是目前所要升级到的卡类型不存在,\n要升级到的卡类型号") + target;
        return std::nullopt;
    }
    exec(s.db,
         QStringLiteral("insert into sjjl(memberno, pdatetime, sjwz, sjqjf, sjqcardname, sjqcardno, sjhcardno) "
                        "values(?, ?, ?, ?, ?, ?, ?)"),
         {s.member.memberno, s.session.now, QStringLiteral("消费"), xfjf, s.member.cardname, s.member.cardno, target});
    const int kcjf = rule.value(2).toBool() ? xfjf : sjjf;
    const int left = static_cast<int>(std::lround(db::addTo(s.db, QStringLiteral("membercurlist"), QStringLiteral("xfjf"),
                                                            -kcjf, QStringLiteral("pid"), s.member.pid)));
    appendPointsRow(s, 0, kcjf, left);
    exec(s.db, QStringLiteral("update membercurlist set cardno = ? where pid = ?"), {target, s.member.pid});
    return Upgrade{target, name.toString(), left};
}

}  // namespace

Result<CheckoutDone> checkout(const QSqlDatabase& db, const CheckoutInput& in, const Session& session,
                              const CardWriter& writeCard)
{
    using R = Result<CheckoutDone>;
    try {
        // ---- before the transaction: who, and what the input alone says ----
        const Result<Member> found = findCheckoutMember(db, in, session.now.date());
        if (!found)
            return R::failure(found);
        const std::optional<VoucherSetup> firstSetup = loadVoucherSetup(db, found.value.memberno);
        if (!firstSetup)
            return R::failure(QStringLiteral("无法找到该卡号"));
        const bool storedValue = found.value.classname == storedValueCard;
        if (storedValue && in.jkfs && !in.jkfs->isEmpty() && *in.jkfs != fromBalance)
            return R::failure(QStringLiteral("储值卡消费只能卡内扣除"), QStringLiteral("jkfs"));
        if (const QString refusal = typingRefusal(in, *firstSetup); !refusal.isEmpty())
            return R::failure(refusal);
        const QString jkfs = storedValue ? fromBalance : in.jkfs.value_or(QStringLiteral("现金"));
        if (const QString refusal = inputRefusal(in, *firstSetup, jkfs); !refusal.isEmpty())
            return R::failure(refusal);
        std::optional<ServingStaff> voucherStaff;
        if (!in.ygid.isEmpty()) {
            voucherStaff = findStaff(db, in.ygid);
            if (!voucherStaff)
                return R::failure(QStringLiteral("找不到员工") + in.ygid, QStringLiteral("ygid"));
        }
        const bool icCard = in.cardMode == 2 && storedValue;
        if (icCard && !in.icCard)
            return R::failure(QStringLiteral("没有读到会员卡，消费没有保存"));

        db::Transaction transaction(db);

        // ---- the checks that read the database ----
        // Read again: another workstation may have reported the card lost since the lookup.
        const Result<FoundMember> again =
            lookupForCheckout(db, LookupBy::MemberNo, found.value.memberno, session.now.date());
        if (!again)
            return R::failure(again);
        const Member member = memberOf(again.value);
        const VoucherSetup setup = *loadVoucherSetup(db, member.memberno);
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
        if (!member.memberpwd.isEmpty() && encodepwd(in.password) != member.memberpwd)
            return R::failure(QStringLiteral("密码录入错误,无法消费"), QStringLiteral("password"));

        // ---- the writes ----
        Save s{db, session, member, setup, amounts, jkfs, voucherStaff, createdh(db, QStringLiteral("xfd"), session.now.date())};
        if (const QString refusal = takeStock(s); !refusal.isEmpty())
            return R::failure(refusal);
        writeLines(s);

        const QString table = QStringLiteral("membercurlist"), key = QStringLiteral("pid");
        const VoucherTotals& t = amounts.totals;
        db::addTo(db, table, QStringLiteral("xfze"), xfje, key, member.pid);
        db::addTo(db, table, QStringLiteral("xfcs"), 1, key, member.pid);
        int xfjf = static_cast<int>(std::lround(db::addTo(db, table, QStringLiteral("xfjf"), t.bcxfjf, key, member.pid)));
        exec(db, QStringLiteral("update membercurlist set xgdate = ? where pid = ?"), {session.now, member.pid});
        Money curmoney = member.curmoney;
        if (storedValue) {
            curmoney = db::addTo(db, table, QStringLiteral("curmoney"), -xfje, key, member.pid);
            // Another workstation may have spent from the same balance since it was read.
            if (curmoney < Money())
                return R::failure(QStringLiteral("当前余额不足，无法消费"));
        }
        const Money sjkye = storedValue ? curmoney + xfje : curmoney;
        const Money syyhje = moveCredit(s);
        // Another workstation may have used the same credit since it was read.
        if (syyhje < Money())
            return R::failure(QStringLiteral("可抵扣金额不足，无法消费"));

        writeVoucher(s, curmoney, sjkye, icCard ? in.icCard->balance : Money());
        if (member.classname == discountCard) {
            if (const QString refusal = bookToAccount(s); !refusal.isEmpty())
                return R::failure(refusal, QStringLiteral("jkfs"));
        }
        if (t.bcxfjf != 0)
            appendPointsRow(s, t.bcxfjf, 0, xfjf);

        QString refusal;
        const std::optional<Upgrade> up = upgrade(s, xfjf, refusal);
        if (!refusal.isEmpty())
            return R::failure(refusal);
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
