#pragma once
// What the voucher amounts read from the account set: the member and the discount mode of the
// class, the points settings, the class item rates (`cardfj`) and the class points rules
// (`spxfjf`); the decimals and the simple mode come from the settings cache.

#include "utils/money.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace mc::sales {

// `cardclass.zkxffs`: 2 and 3 turn the discount into credit for later purchases.
enum class DiscountMode { Direct, SingleUse, Accumulating };
DiscountMode discountModeOf(int zkxffs);
// "直接折扣", "折扣单次使用" or "折扣可累计" (`memberxx.zkfs`).
QString discountModeText(DiscountMode mode);

// The member's discount credit (`syyhje`) after a voucher is saved: the single-use mode replaces
// what is left with this voucher's discount, the accumulating mode adds the discount and takes
// off the credit used, and the direct mode only takes off the credit used.
Money creditAfterSave(DiscountMode mode, Money syyhje, Money zkhje, Money bcdkje);

// The `xfjf` settings row.
struct PointsSettings {
    bool jfzt = false;
    QString jffs;
    Money mxfje = Money::fromUnits(Money::unitsPerYuan);  // money per point
    Money ksjfje;                                        // accumulated consumption to start earning
};

// A class points rule: `xfjf` points per `meixf` money.
struct ClassPointsRule {
    int meixf = 1;
    int xfjf = 1;
};

struct VoucherSetup {
    QString memberno;
    QString cardno;
    Money xfze;    // accumulated consumption before this voucher
    Money syyhje;  // discount credit the member holds
    double mrzkl = 10;
    DiscountMode mode = DiscountMode::Direct;
    std::optional<PointsSettings> points;  // empty: no settings row
    int places = 1;                        // jeblxs of the settings cache
    bool simpleMode = false;               // jdms of the settings cache
    QString defaultServiceType;            // mrxfclass of the settings cache, for new lines
};

// E(x): a whole number, exact halves to the even neighbour.
long long roundHalfEven(double value);
// E(x) of an amount, exactly: whole yuan, halves to the even neighbour.
long long wholeYuan(Money amount);

// True when the voucher's member earns points at all: a settings row that is on, earning at
// consumption, and accumulated consumption at or above the threshold.
bool earnsPoints(const VoucherSetup& setup);

// Points of a line total by a class rule; a rule whose step is 0 gives none.
int rulePoints(Money spzj, const ClassPointsRule& rule);
// Points of an amount by money per point (E of both, whole division); none when the money per
// point rounds to 0.
std::optional<int> moneyPoints(Money amount, Money mxfje);

class RuleSource {
public:
    virtual ~RuleSource() = default;
    // The class item rate of the goods, then of its goods class; empty when neither exists.
    virtual std::optional<double> itemRate(const QString& cardno, const QString& spno,
                                           const QString& spclass) const = 0;
    // The class points rule of the goods' class; empty when the goods or the rule are missing.
    virtual std::optional<ClassPointsRule> pointsRule(const QString& spno) const = 0;
};

class DbRuleSource : public RuleSource {
public:
    explicit DbRuleSource(QSqlDatabase db) : db_(std::move(db)) {}
    std::optional<double> itemRate(const QString& cardno, const QString& spno,
                                   const QString& spclass) const override;
    std::optional<ClassPointsRule> pointsRule(const QString& spno) const override;

private:
    QSqlDatabase db_;
};

// The setup of a voucher for the member, from `membercurlist`, its class and `xfjf`, with the
// decimals, the simple mode and the default service type of the settings cache. Empty when the
// member does not exist.
std::optional<VoucherSetup> loadVoucherSetup(const QSqlDatabase& db, const QString& memberno);

}  // namespace mc::sales
