#include "amounts.h"

#include <QtGlobal>

namespace mc::sales {

namespace {

const QString cashCustomer = QStringLiteral("0000");

}  // namespace

VoucherAmounts::VoucherAmounts(VoucherSetup setup, const RuleSource& rules)
    : setup_(std::move(setup)), rules_(rules)
{
    totals_.mrzkl = setup_.mrzkl;
    totals_.sjzkl = setup_.mrzkl;
}

Money VoucherAmounts::r(double value) const
{
    return Money::rounded(setup_.places, value);
}

Money VoucherAmounts::r(Money value) const
{
    return value.rounded(setup_.places);
}

// ---- header procedures -------------------------------------------------------------------

void VoucherAmounts::assignAmountDue(Money value)
{
    totals_.sjxfje = value;
    if (guard_)
        return;
    // A. The credit used never exceeds what the member holds, nor the amount due.
    Money used;
    if (setup_.syyhje > Money() && !directMode() && useCredit_)
        used = qMin(setup_.syyhje, totals_.sjxfje);
    assignCreditUsed(used);
}

void VoucherAmounts::assignCreditUsed(Money value)
{
    totals_.bcdkje = value;
    if (guard_)
        return;
    assignAfterCredit(r(totals_.sjxfje - totals_.bcdkje));  // B
}

void VoucherAmounts::assignAfterCredit(Money value)
{
    totals_.dkhje = value;
    if (guard_)
        return;
    assignDiscount(r(totals_.dkhje.toDouble() * (10 - totals_.sjzkl) / 10));  // C
}

void VoucherAmounts::assignDiscount(Money value)
{
    totals_.zkhje = value;
    recomputeCharge();
}

void VoucherAmounts::recomputeCharge()
{
    // D. In the credit modes the discount does not reduce this voucher: it becomes credit.
    const Money discount = directMode() ? totals_.zkhje : Money();
    totals_.xfje = qMax(Money(), r(totals_.sjxfje - discount + totals_.otsk - totals_.otyh - totals_.bcdkje));
    if (guard_)
        return;
    totals_.bcxfjf = 0;
    if (earnsPoints(setup_) && setup_.points->mxfje > Money())
        totals_.bcxfjf = static_cast<int>(
            roundHalfEven(double(totals_.xfje.units()) / double(setup_.points->mxfje.units())));
}

void VoucherAmounts::setAmountDue(Money sjxfje)
{
    assignAmountDue(sjxfje);
}

void VoucherAmounts::setRate(double sjzkl)
{
    totals_.sjzkl = sjzkl;
    // With goods lines in direct mode the voucher discount is the lines' own: the amount after
    // credit is not kept up to date there, and a discount taken from it would be wrong.
    if (directMode() && !setup_.simpleMode)
        return;
    assignDiscount(r((10 - totals_.sjzkl) * totals_.dkhje.toDouble() / 10));
}

void VoucherAmounts::setOtherReduction(Money otyh)
{
    totals_.otyh = otyh;
    recomputeCharge();
}

void VoucherAmounts::setOtherCharge(Money otsk)
{
    totals_.otsk = otsk;
    recomputeCharge();
}

void VoucherAmounts::setUseCredit(bool on)
{
    useCredit_ = on;
    guard_ = false;
    assignAmountDue(totals_.sjxfje);
}

// ---- line procedures ---------------------------------------------------------------------

void VoucherAmounts::assignPriceOrRate(VoucherLine& line)
{
    line.zkjg = r((10 - line.spzkl) * line.spdj.toDouble() / 10);
    assignSettlementPrice(line, line.spdj - line.zkjg);
}

void VoucherAmounts::assignSettlementPrice(VoucherLine& line, Money value)
{
    line.spjsjg = value;
    assignQuantityOrSettlement(line);
}

void VoucherAmounts::assignQuantityOrSettlement(VoucherLine& line)
{
    line.spzj = r(line.spjsjg * line.spnum);
    line.spyzj = r(line.spdj * line.spnum);
    if (lineState_ != LineState::None)
        linePoints(line);
}

void VoucherAmounts::linePoints(VoucherLine& line)
{
    if (setup_.memberno == cashCustomer || line.istjsp || !earnsPoints(setup_))
        return;
    if (const auto rule = rules_.pointsRule(line.spno)) {
        line.xfjf = rulePoints(line.spzj, *rule);
        return;
    }
    if (setup_.points->mxfje > Money())
        line.xfjf = moneyPoints(line.spzj, setup_.points->mxfje).value_or(0);
}

void VoucherAmounts::addGoods(const GoodsItem& goods, int quantity)
{
    if (open_)
        saveLine();
    for (int i = 0; i < lines_.size(); ++i) {
        if (lines_[i].spno != goods.spno)
            continue;
        openLine(i);
        editQuantity(lines_[i].spnum + quantity);
        saveLine();
        return;
    }
    VoucherLine line;
    line.spno = goods.spno;
    line.spname = goods.spname;
    line.spclass = goods.spclass;
    line.istjsp = goods.istj;
    line.isfwxsp = goods.isfwxsp;
    line.spdj = goods.xsjg;
    line.spnum = quantity;
    line.staff = staff_;
    line.fwclass = setup_.defaultServiceType;
    const double rate = rules_.itemRate(setup_.cardno, goods.spno, goods.spclass).value_or(totals_.mrzkl);
    line.ydzkl = rate;
    line.spzkl = rate;
    if (directMode())
        guard_ = true;
    lines_.append(line);
    open_ = static_cast<int>(lines_.size()) - 1;
    lineState_ = LineState::Adding;
    assignPriceOrRate(lines_[*open_]);
}

void VoucherAmounts::openLine(int index)
{
    if (index < 0 || index >= lines_.size())
        return;
    if (open_ && *open_ != index)
        saveLine();
    guard_ = true;
    open_ = index;
    lineState_ = LineState::Editing;
    beforeEdit_ = lines_[index];
}

void VoucherAmounts::editPrice(Money spdj)
{
    if (!open_)
        return;
    lines_[*open_].spdj = spdj;
    assignPriceOrRate(lines_[*open_]);
    lineEdited();
}

void VoucherAmounts::editRate(double spzkl)
{
    if (!open_)
        return;
    lines_[*open_].spzkl = spzkl;
    assignPriceOrRate(lines_[*open_]);
    lineEdited();
}

void VoucherAmounts::editQuantity(int spnum)
{
    if (!open_)
        return;
    lines_[*open_].spnum = spnum;
    assignQuantityOrSettlement(lines_[*open_]);
    lineEdited();
}

void VoucherAmounts::editSettlementPrice(Money spjsjg)
{
    if (!open_)
        return;
    assignSettlementPrice(lines_[*open_], spjsjg);  // the unit discount stays as it was
    lineEdited();
}

void VoucherAmounts::lineEdited()
{
    // An edited line is saved and reopened when its cell is left, so the totals follow it.
    if (lineState_ == LineState::Editing) {
        const int index = *open_;
        saveLine();
        openLine(index);
    }
}

void VoucherAmounts::setLineStaff(int index, const ServingStaff& staff)
{
    if (index >= 0 && index < lines_.size())
        lines_[index].staff = staff;
}

void VoucherAmounts::setLineServiceType(int index, const QString& fwclass)
{
    if (index >= 0 && index < lines_.size())
        lines_[index].fwclass = fwclass;
}

void VoucherAmounts::setLineCommission(int index, Money ygtc)
{
    if (index >= 0 && index < lines_.size())
        lines_[index].ygtc = ygtc;
}

void VoucherAmounts::saveLine()
{
    if (!open_)
        return;
    open_.reset();
    lineState_ = LineState::None;
    if (finalSave_)
        return;
    lineSaved();
}

void VoucherAmounts::lineSaved()
{
    // In the credit modes the amount due must run its procedures: a guard left over from
    // opening the line would otherwise keep the credit and the charge at their old values.
    guard_ = directMode();
    assignAmountDue(sumBeforeDiscount());
    if (directMode())
        writeBackLineTotals();
    guard_ = false;
}

void VoucherAmounts::writeBackLineTotals()
{
    totals_.bcxfjf = sumLinePoints();
    assignDiscount(sumBeforeDiscount() - sumAfterDiscount());
}

void VoucherAmounts::cancelLine()
{
    if (!open_)
        return;
    if (lineState_ == LineState::Adding)
        lines_.removeAt(*open_);
    else
        lines_[*open_] = beforeEdit_;
    open_.reset();
    lineState_ = LineState::None;
    guard_ = false;
}

void VoucherAmounts::deleteLine(int index)
{
    if (index < 0 || index >= lines_.size())
        return;
    open_.reset();
    lineState_ = LineState::None;
    lines_.removeAt(index);
    guard_ = false;
    assignAmountDue(sumBeforeDiscount());
    if (directMode())
        writeBackLineTotals();  // D runs with points: the voucher value wins
}

// The lines are rounded already, and money adds exactly: the sums need no rounding of their own.
Money VoucherAmounts::sumBeforeDiscount() const
{
    Money sum;
    for (const VoucherLine& l : lines_)
        sum += l.spyzj;
    return sum;
}

Money VoucherAmounts::sumAfterDiscount() const
{
    Money sum;
    for (const VoucherLine& l : lines_)
        sum += l.spzj;
    return sum;
}

int VoucherAmounts::sumLinePoints() const
{
    int sum = 0;
    for (const VoucherLine& l : lines_)
        sum += l.xfjf;
    return sum;
}

}  // namespace mc::sales
