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
    double xsjg = 0;
    bool istj = false;
};

// One goods line (`xfsp`).
struct VoucherLine {
    QString spno;
    QString spname;
    QString spclass;
    double spdj = 0;
    double ydzkl = 10;
    double spzkl = 10;
    int spnum = 0;
    double zkjg = 0;
    double spjsjg = 0;
    double spzj = 0;
    double spyzj = 0;  // shown only: the line before discount
    int xfjf = 0;      // empty on a new line, which counts as 0
    bool istjsp = false;
};

// The working values of the voucher header (`memberxx`).
struct VoucherTotals {
    double mrzkl = 10;
    double sjzkl = 10;
    double sjxfje = 0;
    double bcdkje = 0;
    double dkhje = 0;
    double zkhje = 0;
    double otyh = 0;
    double otsk = 0;
    double xfje = 0;
    int bcxfjf = 0;
};

// The line fields the operator can type into.
enum class LineField { Price, Rate, Quantity, SettlementPrice };

class VoucherAmounts {
public:
    VoucherAmounts(VoucherSetup setup, const RuleSource& rules);

    // Line events of the detailed mode.
    void addGoods(const GoodsItem& goods, int quantity);
    void openLine(int index);
    // Typing a value into a cell of the open line and leaving the cell.
    void editLine(LineField field, double value);
    void saveLine();
    void cancelLine();
    void deleteLine(int index);

    // Voucher events.
    void setAmountDue(double sjxfje);
    void setRate(double sjzkl);
    void setOtherReduction(double otyh);
    void setOtherCharge(double otsk);
    void setUseCredit(bool on);
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

    double r(double value) const;
    bool directMode() const { return setup_.mode == DiscountMode::Direct; }

    // Assignments of the header fields, each running the procedure that follows it.
    void assignAmountDue(double value);    // A
    void assignCreditUsed(double value);   // B
    void assignAfterCredit(double value);  // C
    void assignDiscount(double value);     // D
    void recomputeCharge();                // D itself

    // Assignments of the open line's fields.
    void assignPriceOrRate(VoucherLine& line);
    void assignSettlementPrice(VoucherLine& line, double value);
    void assignQuantityOrSettlement(VoucherLine& line);
    void linePoints(VoucherLine& line);

    void lineSaved();
    void writeBackLineTotals();
    double sumBeforeDiscount() const;
    double sumAfterDiscount() const;
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
};

}  // namespace mc::sales
