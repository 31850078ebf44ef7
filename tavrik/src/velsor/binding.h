// Calls into Velsor, loaded with dlopen from TAVRIK_VELSOR, else libVelsor.so.
#pragma once
#include "velsor/ordinals.h"

#include <cstdint>
#include <cstring>

namespace tavrik::velsor {

// What every forwarded operation returns when the library or the function is missing.
constexpr std::uint16_t kMissing = 10;

template <int Ordinal>
struct Signature;
#define TAVRIK_VELSOR_SIGNATURE(k, params, args) \
    template <>                                  \
    struct Signature<k> {                        \
        using Fn = std::uint16_t(*) params;      \
    };
TAVRIK_VELSOR_ORDINALS(TAVRIK_VELSOR_SIGNATURE)
#undef TAVRIK_VELSOR_SIGNATURE

// Address of Velsor_<ordinal>, nullptr when the library or the symbol is missing.
void *symbol(int ordinal);
// Forgets the loaded library, so that the next call loads it again.
void unload();

template <int Ordinal, class... Args>
std::uint16_t call(Args... args)
{
    void *address = symbol(Ordinal);
    if (!address) return kMissing;
    typename Signature<Ordinal>::Fn fn;
    static_assert(sizeof fn == sizeof address);
    std::memcpy(&fn, &address, sizeof fn);
    return fn(args...);
}

// Data mode: 1 while Velsor returns card data as hexadecimal text, 0 for binary.
inline void setDataMode(std::uint8_t mode) { call<108>(mode); }

// Saves the data mode, sets binary for the duration, and restores it.
class BinaryDataMode {
public:
    BinaryDataMode() : saved_(static_cast<std::uint8_t>(call<109>())) { setDataMode(0); }
    ~BinaryDataMode() { setDataMode(saved_); }
    BinaryDataMode(const BinaryDataMode &) = delete;
    BinaryDataMode &operator=(const BinaryDataMode &) = delete;

private:
    std::uint8_t saved_;
};

}  // namespace tavrik::velsor
