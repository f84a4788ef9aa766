#include "Extensions/FloatExtensions.h"

#include <array>
#include <limits>

namespace num {

namespace {

struct AbbreviationScale {
    double threshold;
    double divisor;
    const char* suffix;
};

// A magnitude of 10^5 already takes the "M" row and shows as 0.1 of it.
constexpr std::array<AbbreviationScale, 4> abbreviationScales{{
    {0, 1, ""},
    {1e3, 1e3, "K"},
    {1e5, 1e6, "M"},
    {1e8, 1e9, "B"},
}};

template <std::floating_point F>
std::int64_t saturatingInt(F v) {
    if (std::isnan(v)) return 0;
    // 2^63 is exact in both types; anything at or beyond it does not fit.
    constexpr F kTop = F(9223372036854775808.0);
    if (v >= kTop) return std::numeric_limits<std::int64_t>::max();
    if (v < -kTop) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

}  // namespace

std::int64_t int_(double v) {
    return saturatingInt(v);
}

std::int64_t int_(float v) {
    return saturatingInt(v);
}

std::string abbreviated(double v, int maximumFractionDigits, foundation::RoundingMode mode) {
    const double magnitude = std::fabs(v);
    const AbbreviationScale* row = &abbreviationScales[0];
    for (const AbbreviationScale& candidate : abbreviationScales) {
        if (!(magnitude >= candidate.threshold)) break;  // NaN stays on the first row
        row = &candidate;
    }
    return foundation::decimalTextWithSuffix(v / row->divisor, maximumFractionDigits, mode, row->suffix);
}

std::string abbreviated(std::int64_t v, int maximumFractionDigits) {
    return abbreviated(static_cast<double>(v), maximumFractionDigits, foundation::RoundingMode::Down);
}

}  // namespace num
