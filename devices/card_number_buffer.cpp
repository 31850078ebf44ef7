#include "card_number_buffer.h"

namespace mc::devices {

std::optional<QString> CardNumberBuffer::add(const QString& chunk)
{
    buffer_ += chunk;
    if (expected_ == 0 || buffer_.size() == expected_) {
        const QString number = buffer_;
        buffer_.clear();
        return number;
    }
    if (buffer_.size() > expected_)
        buffer_.clear();
    return std::nullopt;
}

}  // namespace mc::devices
