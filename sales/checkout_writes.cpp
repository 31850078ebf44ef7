#include "checkout_writes.h"

#include "counters.h"
#include "database.h"
#include "settings_cache.h"

#include <cmath>

namespace mc::sales::checkout_rows {

using db::exec;
using db::scalar;

Done takeStock(Save& s)
{
    for (VoucherLine& l : s.amounts.lines) {
        if (l.isfwxsp)
            continue;
        QSqlQuery g = exec(s.db, QStringLiteral("select spname, jhdj from xssp where spno = ?"), {l.spno});
        if (!g.next())
            return Done::failure(QStringLiteral("找不到商品") + l.spname + QStringLiteral("的信息"));
        // One statement moves the stock, so a sale at another workstation is never lost; the
        // refusal looks at the stock this sale leaves.
        const double kcsl = db::addTo(s.db, QStringLiteral("xssp"), QStringLiteral("kcsl"), -l.spnum,
                                      QStringLiteral("spno"), l.spno);
        // Stock counts whole units: what was there is rounded (halves to even) before the
        // quantity is taken, so 2.5 in stock does not cover 3.
        if (std::nearbyint(kcsl + l.spnum) - l.spnum < 0 && !settings.kcwlxf)
            return Done::failure(QStringLiteral("商品") + l.spname + QStringLiteral("的库存数量不足"));
        l.cbdj = Money::fromDouble(g.value(1).toDouble());
        exec(s.db,
             QStringLiteral("insert into kccl(czsm, jthdate, dj, cbdj, spno, spname, xssl, curkc, xfdh, actor) "
                            "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {QStringLiteral("销售"), s.session.now, l.spdj.toDouble(), l.cbdj.toDouble(), l.spno,
              g.value(0).toString(), l.spnum, kcsl, s.xfdh, s.session.operatorCode});
    }
    return Done::success();
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

namespace {

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

}  // namespace

Result<MemberAfter> moveMember(const Save& s, bool storedValue)
{
    const QString table = QStringLiteral("membercurlist"), key = QStringLiteral("pid");
    const int pid = s.member.pid;
    const VoucherTotals& t = s.amounts.totals;
    MemberAfter after;
    db::addTo(s.db, table, QStringLiteral("xfze"), t.xfje, key, pid);
    db::addTo(s.db, table, QStringLiteral("xfcs"), 1, key, pid);
    after.xfjf = static_cast<int>(std::lround(db::addTo(s.db, table, QStringLiteral("xfjf"), t.bcxfjf, key, pid)));
    exec(s.db, QStringLiteral("update membercurlist set xgdate = ? where pid = ?"), {s.session.now, pid});
    after.curmoney = s.member.curmoney;
    if (storedValue) {
        after.curmoney = db::addTo(s.db, table, QStringLiteral("curmoney"), -t.xfje, key, pid);
        // Another workstation may have spent from the same balance since it was read.
        if (after.curmoney < Money())
            return Result<MemberAfter>::failure(QStringLiteral("当前余额不足，无法消费"));
    }
    after.syyhje = moveCredit(s);
    // Another workstation may have used the same credit since it was read.
    if (after.syyhje < Money())
        return Result<MemberAfter>::failure(QStringLiteral("可抵扣金额不足，无法消费"));
    return Result<MemberAfter>::success(after);
}

// Written by the save only, so a voucher the operator abandons leaves nothing behind.
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

Done bookToAccount(const Save& s)
{
    if (!scalar(s.db, QStringLiteral("select pid from gszh where zhname = ?"), {s.jkfs}).isValid())
        return Done::failure(QStringLiteral("缴款帐户不存在"), QStringLiteral("jkfs"));
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
    return Done::success();
}

void appendPointsRow(const Save& s, int hdjf, int kcjf, int curjf)
{
    exec(s.db,
         QStringLiteral("insert into memberjf(memberno, pdatetime, jffs, hdjf, kcjf, curjf, xfdh, actor, fdh, scip, issc) "
                        "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {s.member.memberno, s.session.now, QStringLiteral("消费积分"), hdjf, kcjf, curjf, s.xfdh,
          s.session.operatorName, s.session.branch, s.session.address, false});
}

Result<std::optional<Upgrade>> upgrade(const Save& s, int xfjf)
{
    using R = Result<std::optional<Upgrade>>;
    if (scalar(s.db, QStringLiteral("select count(*) from sysset")).toInt() == 0)
        return R::success(std::nullopt);
    QSqlQuery rule = exec(s.db, QStringLiteral("select sjjf, sjhcardno, clearjf from autosj where cardno = ? order by pid"),
                          {s.member.cardno});
    if (!rule.next() || rule.value(0).toInt() > xfjf)
        return R::success(std::nullopt);
    const int sjjf = rule.value(0).toInt();
    const QString target = rule.value(1).toString();
    const QVariant name = scalar(s.db, QStringLiteral("select cardname from cardclass where cardno = ?"), {target});
    if (!name.isValid())
        return R::failure(QStringLiteral("系统启用了卡类自动升级，但是目前所要升级到的卡类型不存在,\n要升级到的卡类型号") +
                          target);
    exec(s.db,
         QStringLiteral("insert into sjjl(memberno, pdatetime, sjwz, sjqjf, sjqcardname, sjqcardno, sjhcardno) "
                        "values(?, ?, ?, ?, ?, ?, ?)"),
         {s.member.memberno, s.session.now, QStringLiteral("消费"), xfjf, s.member.cardname, s.member.cardno, target});
    const int kcjf = rule.value(2).toBool() ? xfjf : sjjf;
    const int left = static_cast<int>(std::lround(db::addTo(s.db, QStringLiteral("membercurlist"), QStringLiteral("xfjf"),
                                                            -kcjf, QStringLiteral("pid"), s.member.pid)));
    appendPointsRow(s, 0, kcjf, left);
    exec(s.db, QStringLiteral("update membercurlist set cardno = ? where pid = ?"), {target, s.member.pid});
    return R::success(Upgrade{target, name.toString(), left});
}

}  // namespace mc::sales::checkout_rows
