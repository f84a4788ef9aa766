#pragma once
// A double-precision amount as a whole count, truncated toward zero. Pure; any thread.

#include <cmath>
#include <cstdint>

namespace foundation {

// NaN counts as 0; amounts beyond the 64-bit range are limited to it.
inline std::int64_t wholeCount(double x) {
    if (std::isnan(x)) return 0;
    constexpr double kLimit = 9223372036854774784.0;  // the largest double below 2^63
    return static_cast<std::int64_t>(std::trunc(std::fmax(-kLimit, std::fmin(kLimit, x))));
}

}  // namespace foundation
