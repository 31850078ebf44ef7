#pragma once
// Where the member data lives on an SLE4442 card and how it is written. The reader library
// exchanges data as hexadecimal text, two characters per byte.

#include <QDate>
#include <QString>

#include <optional>

namespace mc::devices {

namespace address {
constexpr int cardNumber = 9;  // 5 bytes: ten decimal digits
constexpr int kind = 19;       // 1 byte
constexpr int classCode = 20;  // 5 bytes
constexpr int value = 26;      // 5 bytes: cents as ten decimal digits
constexpr int expiry = 36;     // 12 bytes
}  // namespace address

constexpr int cardNumberBytes = 5;
constexpr int classCodeBytes = 5;
constexpr int valueBytes = 5;
constexpr int expiryBytes = 12;

// Largest value a card holds: ten digits of cents.
constexpr qint64 maxValueCents = 9'999'999'999;

// A card number goes on the card as it is when it has exactly ten decimal digits.
bool isCardNumber(const QString& number);
// With IC cards the card number is the member number, widened with leading zeros to ten
// digits; nothing for a member number that is not 1–10 decimal digits (registration refuses it
// with icMemberNumberMessage).
std::optional<QString> icCardNumber(const QString& memberNumber);
inline const QString icMemberNumberMessage = QStringLiteral("使用IC卡时会员编号只能是1至10位数字");

// round(value × 100), half away from zero, as ten digits; nothing outside 0 … 99,999,999.99.
std::optional<QString> valueDigits(double value);
// The cents of ten digits read back; nothing when they do not form a whole number.
std::optional<qint64> valueCents(const QString& digits);
// Cents as the program shows an amount: 12346 → "123.46".
QString centsText(qint64 cents);

// The kind byte: "01" count card, "02" discount card, "03" stored-value card (and anything else).
QString kindHex(const QString& kindText);
// The class code, left-padded with "0" to ten digits; nothing when it is not 1–10 decimal digits.
std::optional<QString> classCodeHex(const QString& classCode);
// "a" (no validity limit) or "b" + "yyyy-mm-dd", as ASCII bytes, padded with 00 to 12 bytes.
QString expiryHex(const QString& expiryText);

}  // namespace mc::devices
