#include "amounts.h"

#include "utils/rounding.h"

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

double VoucherAmounts::r(double value) const
{
    return roundto(setup_.places, value);
}

// ---- header procedures -------------------------------------------------------------------

void VoucherAmounts::assignAmountDue(double value)
{
    totals_.sjxfje = value;
    if (guard_)
        return;
    // A. The credit used never exceeds what the member holds, nor the amount due.
    double used = 0;
    if (setup_.syyhje > 0 && !directMode() && useCredit_)
        used = qMin(setup_.syyhje, totals_.sjxfje);
    assignCreditUsed(used);
}

void VoucherAmounts::assignCreditUsed(double value)
{
    totals_.bcdkje = value;
    if (guard_)
        return;
    assignAfterCredit(r(totals_.sjxfje - totals_.bcdkje));  // B
}

void VoucherAmounts::assignAfterCredit(double value)
{
    totals_.dkhje = value;
    if (guard_)
        return;
    assignDiscount(r(totals_.dkhje * (10 - totals_.sjzkl) / 10));  // C
}

void VoucherAmounts::assignDiscount(double value)
{
    totals_.zkhje = value;
    recomputeCharge();
}

void VoucherAmounts::recomputeCharge()
{
    // D. In the credit modes the discount does not reduce this voucher: it becomes credit.
    const double discount = directMode() ? totals_.zkhje : 0;
    totals_.xfje = qMax(0.0, r(totals_.sjxfje - discount + totals_.otsk - totals_.otyh - totals_.bcdkje));
    if (guard_)
        return;
    totals_.bcxfjf = 0;
    if (earnsPoints(setup_) && setup_.points->mxfje > 0)
        totals_.bcxfjf = static_cast<int>(roundHalfEven(totals_.xfje / setup_.points->mxfje));
}

void VoucherAmounts::setAmountDue(double sjxfje)
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
    assignDiscount(r((10 - totals_.sjzkl) * totals_.dkhje / 10));
}

void VoucherAmounts::setOtherReduction(double otyh)
{
    totals_.otyh = otyh;
    recomputeCharge();
}

void VoucherAmounts::setOtherCharge(double otsk)
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
    line.zkjg = r((10 - line.spzkl) * line.spdj / 10);
    assignSettlementPrice(line, line.spdj - line.zkjg);
}

void VoucherAmounts::assignSettlementPrice(VoucherLine& line, double value)
{
    line.spjsjg = value;
    assignQuantityOrSettlement(line);
}

void VoucherAmounts::assignQuantityOrSettlement(VoucherLine& line)
{
    line.spzj = r(line.spnum * line.spjsjg);
    line.spyzj = r(line.spnum * line.spdj);
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
    if (setup_.points->mxfje > 0)
        line.xfjf = moneyPoints(line.spzj, setup_.points->mxfje).value_or(0);
}

void VoucherAmounts::addGoods(const GoodsItem& goods, int quantity)
{
    if (open_)
        saveLine();
    VoucherLine line;
    line.spno = goods.spno;
    line.spname = goods.spname;
    line.spclass = goods.spclass;
    line.istjsp = goods.istj;
    line.spdj = goods.xsjg;
    line.spnum = quantity;
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

void VoucherAmounts::editLine(LineField field, double value)
{
    if (!open_)
        return;
    VoucherLine& line = lines_[*open_];
    switch (field) {
    case LineField::Price:
        line.spdj = value;
        assignPriceOrRate(line);
        break;
    case LineField::Rate:
        line.spzkl = value;
        assignPriceOrRate(line);
        break;
    case LineField::Quantity:
        line.spnum = static_cast<int>(value);
        assignQuantityOrSettlement(line);
        break;
    case LineField::SettlementPrice:
        assignSettlementPrice(line, value);  // the unit discount stays as it was
        break;
    }
    // An edited line is saved and reopened when its cell is left, so the totals follow it.
    if (lineState_ == LineState::Editing) {
        const int index = *open_;
        saveLine();
        openLine(index);
    }
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
    assignDiscount(r(sumBeforeDiscount() - sumAfterDiscount()));
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

double VoucherAmounts::sumBeforeDiscount() const
{
    double sum = 0;
    for (const VoucherLine& l : lines_)
        sum += l.spyzj;
    return r(sum);  // the lines are rounded already; this only drops the noise of adding
}

double VoucherAmounts::sumAfterDiscount() const
{
    double sum = 0;
    for (const VoucherLine& l : lines_)
        sum += l.spzj;
    return r(sum);
}

int VoucherAmounts::sumLinePoints() const
{
    int sum = 0;
    for (const VoucherLine& l : lines_)
        sum += l.xfjf;
    return sum;
}

}  // namespace mc::sales
