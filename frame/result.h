#pragma once
// What an operation tells its caller: done (with a value), or refused with the exact message
// the window shows and the field to put the focus on. Windows, the command program and tests
// all read the same result.

#include <QString>

#include <utility>
#include <variant>

namespace mc {

template <typename T = std::monostate>
struct Result {
    bool ok = false;
    QString message;  // shown as it stands; on success a closing word such as "保存完成", or empty
    QString field;    // the column name of the field to focus when refused; may be empty
    T value{};

    static Result success(T value = {}, QString message = {})
    {
        return {true, std::move(message), {}, std::move(value)};
    }
    static Result failure(QString message, QString field = {})
    {
        return {false, std::move(message), std::move(field), {}};
    }
    // A refusal handed on from a step with another value type.
    template <typename U>
    static Result failure(const Result<U>& refused)
    {
        return {false, refused.message, refused.field, {}};
    }
    explicit operator bool() const { return ok; }
};

// A result with no value beyond its message.
using Done = Result<>;

}  // namespace mc
