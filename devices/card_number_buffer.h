#pragma once
// Collects what a serial card-number reader sends until it forms a card number.

#include <QString>

#include <optional>

namespace mc::devices {

class CardNumberBuffer {
public:
    // 10 for an ID-card reader, 0 for any length.
    explicit CardNumberBuffer(int expectedLength) : expected_(expectedLength) {}

    // Appends a received chunk; returns the card number once it is complete. With an expected
    // length, a buffer that grows past it is discarded as noise.
    std::optional<QString> add(const QString& chunk);

private:
    int expected_;
    QString buffer_;
};

// The expected card-number length of a serial reader for the card kind in use.
inline int expectedCardNumberLength(const QString& symc) { return symc == QStringLiteral("id卡") ? 10 : 0; }

}  // namespace mc::devices
