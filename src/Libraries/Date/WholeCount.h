#pragma once
// A double-precision amount as a whole count, truncated toward zero. Pure; any thread.

#include <cmath>
#include <cstdint>

namespace dates {

// NaN counts as 0; amounts beyond the 64-bit range are limited to it.
inline std::int64_t wholeCount(double x) {
    if (std::isnan(x)) return 0;
    constexpr double kLimit = 9.2e18;  // below 2^63, so the conversion is always defined
    return static_cast<std::int64_t>(std::trunc(std::fmax(-kLimit, std::fmin(kLimit, x))));
}

}  // namespace dates
