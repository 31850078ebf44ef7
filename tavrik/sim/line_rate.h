#pragma once
#include <cstdint>

namespace tavriksim {

// The rate the host set on the terminal (a pseudo-terminal keeps it as set), 0 if unknown.
std::uint32_t lineRate(int fd);

}  // namespace tavriksim
