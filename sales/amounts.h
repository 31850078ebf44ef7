#pragma once
// The amounts of a consumption voucher while it is entered: line prices and points, the voucher
// discount, the discount credit used, the amount charged and the voucher points. The
// consumption window feeds it events; every assignment fires its successors, even when the value
// stays the same, so the totals always follow the last change.

#include "amount_rules.h"

#include <QList>
#include <QString>

#include <optional>

namespace mc::sales {

// A goods item as the voucher takes it from the catalogue.
struct GoodsItem {
    QString spno;
    QString spname;
    QString spclass;
    Money xsjg;
    bool istj = false;
    bool isfwxsp = false;  // the goods class's service flag; false when the class is missing
};

// The staff member who serves: the voucher's, copied to lines added afterwards, or a line's own.
struct ServingStaff {
    QString ygid;
    QString ygname;
    QString depId;  // dep_id
};

// One goods line (`xfsp`): the amounts the rules keep, and the line's own values that the
// window shows and the save writes.
struct VoucherLine {
    QString spno;
    QString spname;
    QString spclass;
    Money spdj;
    double ydzkl = 10;
    double spzkl = 10;
    int spnum = 0;
    Money zkjg;
    Money spjsjg;
    Money spzj;
    Money spyzj;       // shown only: the line before discount
    int xfjf = 0;      // empty on a new line, which counts as 0
    bool istjsp = false;
    bool isfwxsp = false;
    ServingStaff staff;
    QString fwclass;   // service type
    Money ygtc;        // staff commission, typed in the grid
    Money cbdj;        // cost price, set by the save from the goods' purchase price
};

// The working values of the voucher header (`memberxx`).
struct VoucherTotals {
    double mrzkl = 10;
    double sjzkl = 10;
    Money sjxfje;
    Money bcdkje;
    Money dkhje;
    Money zkhje;
    Money otyh;
    Money otsk;
    Money xfje;
    int bcxfjf = 0;
};

class VoucherAmounts {
public:
    VoucherAmounts(VoucherSetup setup, const RuleSource& rules);

    // Line events of the detailed mode. Goods already on the voucher grow their line's quantity
    // instead of adding a line; that line is saved at once, so its points follow the new total.
    void addGoods(const GoodsItem& goods, int quantity);
    void openLine(int index);
    // Typing a value into a cell of the open line and leaving the cell.
    void editPrice(Money spdj);
    void editRate(double spzkl);
    void editQuantity(int spnum);
    void editSettlementPrice(Money spjsjg);
    void saveLine();
    void cancelLine();
    void deleteLine(int index);

    // The line values that move no amount: staff, service type and commission of a line.
    void setLineStaff(int index, const ServingStaff& staff);
    void setLineServiceType(int index, const QString& fwclass);
    void setLineCommission(int index, Money ygtc);

    // Voucher events.
    void setAmountDue(Money sjxfje);
    void setRate(double sjzkl);
    void setOtherReduction(Money otyh);
    void setOtherCharge(Money otsk);
    void setUseCredit(bool on);
    // The voucher's staff member, copied to the lines added from now on.
    void setStaff(const ServingStaff& staff) { staff_ = staff; }
    // While the voucher itself is being saved, saving a line books it without recalculating.
    void setFinalSave(bool on) { finalSave_ = on; }

    const VoucherTotals& totals() const { return totals_; }
    const QList<VoucherLine>& lines() const { return lines_; }
    const VoucherSetup& setup() const { return setup_; }
    bool guarded() const { return guard_; }
    // The line being added or edited, if any.
    std::optional<int> openLineIndex() const { return open_; }

private:
    enum class LineState { None, Adding, Editing };

    Money r(double value) const;
    Money r(Money value) const;
    bool directMode() const { return setup_.mode == DiscountMode::Direct; }

    // Assignments of the header fields, each running the procedure that follows it.
    void assignAmountDue(Money value);    // A
    void assignCreditUsed(Money value);   // B
    void assignAfterCredit(Money value);  // C
    void assignDiscount(Money value);     // D
    void recomputeCharge();                // D itself

    // Assignments of the open line's fields.
    void assignPriceOrRate(VoucherLine& line);
    void assignSettlementPrice(VoucherLine& line, Money value);
    void assignQuantityOrSettlement(VoucherLine& line);
    void linePoints(VoucherLine& line);

    void lineEdited();
    void lineSaved();
    void writeBackLineTotals();
    Money sumBeforeDiscount() const;
    Money sumAfterDiscount() const;
    int sumLinePoints() const;

    VoucherSetup setup_;
    const RuleSource& rules_;
    VoucherTotals totals_;
    QList<VoucherLine> lines_;
    std::optional<int> open_;
    LineState lineState_ = LineState::None;
    VoucherLine beforeEdit_;
    bool guard_ = false;
    bool finalSave_ = false;
    bool useCredit_ = false;
    ServingStaff staff_;
};

}  // namespace mc::sales
