// A stand-in for the outside library Velsor: records every call with its arguments and the
// data mode in force, and answers as a test tells it to.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace standin {

struct Call {
    int ordinal;
    std::vector<std::uintptr_t> args;  // integers as they are, pointers as addresses
    int dataMode;                      // the mode when the call came
    template <class T>
    T *pointer(std::size_t i) const { return reinterpret_cast<T *>(args.at(i)); }
};

using Behaviour = std::function<std::uint16_t(const Call &)>;

// Forgets calls and behaviours; data mode back to 0.
void reset();
// What ordinal does and returns; without one it returns 0.
void on(int ordinal, Behaviour behaviour);
std::vector<Call> calls();
std::vector<int> ordinals();

}  // namespace standin
