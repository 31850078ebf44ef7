#pragma once
// Amounts of money as whole ten-thousandths of a yuan, so sums and differences are exact.

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace mc {

class Money {
public:
    static constexpr qint64 unitsPerYuan = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    // The nearest ten-thousandth of a yuan, taken as the value's decimal at 15 significant
    // digits: 0.1 + 0.2 gives 0.3, not 0.3000000000000000444.
    static Money fromDouble(double yuan);
    // Plain decimal text as an operator types it ("12", "-3.5", "0.0001"); empty, more than four
    // decimals or anything else gives nothing.
    static std::optional<Money> parse(const QString& text);
    // The amount rule R(): `roundto` at `places` decimals (first to three decimals half away from
    // zero, then by the first dropped digit), applied to a product of money and a rate.
    static Money rounded(int places, double yuan);

    constexpr qint64 units() const { return units_; }
    // The exact decimal as the nearest double: what the `double` columns store.
    double toDouble() const { return double(units_) / unitsPerYuan; }
    // "0.00" at `places` decimals (0–4), half away from zero.
    QString text(int places = 2) const;
    // R() of this amount.
    Money rounded(int places) const;

    constexpr bool isZero() const { return units_ == 0; }
    constexpr Money operator-() const { return Money(-units_); }
    constexpr Money operator+(Money o) const { return Money(units_ + o.units_); }
    constexpr Money operator-(Money o) const { return Money(units_ - o.units_); }
    constexpr Money& operator+=(Money o) { units_ += o.units_; return *this; }
    constexpr Money& operator-=(Money o) { units_ -= o.units_; return *this; }
    // Quantities are whole numbers, so this stays exact.
    constexpr Money operator*(qint64 count) const { return Money(units_ * count); }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 units) : units_(units) {}
    qint64 units_ = 0;
};

}  // namespace mc
