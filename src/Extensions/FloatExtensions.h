#pragma once
// Small value members on floating-point numbers and Booleans: rounding, angles, conversions that
// truncate, and the short-scale abbreviation ("1.5K", "0.15M", "-2B"). Pure functions; safe from any
// thread. A conversion to an integer saturates instead of leaving the type's range.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>

#include "Platform/Foundation/NumberTexts.h"

namespace num {

template <std::floating_point F>
F abs(F v) {
    return std::fabs(v);
}
template <std::floating_point F>
F ceil(F v) {
    return std::ceil(v);
}
template <std::floating_point F>
F floor(F v) {
    return std::floor(v);
}

// Angles in the value's own type (its own pi); integers convert through double.
template <std::floating_point F>
constexpr F degreesToRadians(F degrees) {
    return std::numbers::pi_v<F> * degrees / F(180);
}
template <std::floating_point F>
constexpr F radiansToDegrees(F radians) {
    return radians * F(180) / std::numbers::pi_v<F>;
}
constexpr double degreesToRadians(std::int64_t degrees) {
    return static_cast<double>(degrees) * std::numbers::pi / 180.0;
}
constexpr double radiansToDegrees(std::int64_t radians) {
    return static_cast<double>(radians) * 180.0 / std::numbers::pi;
}

// The rules a value can be rounded by to a whole number.
enum class RoundingRule { ToNearestOrAwayFromZero, ToNearestOrEven, Up, Down, TowardZero, AwayFromZero };

template <std::floating_point F>
F rounded(F v, RoundingRule rule) {
    switch (rule) {
        case RoundingRule::ToNearestOrAwayFromZero:
            return std::round(v);
        case RoundingRule::ToNearestOrEven:
            return std::nearbyint(v);  // the default floating-point environment rounds half to even
        case RoundingRule::Up:
            return std::ceil(v);
        case RoundingRule::Down:
            return std::floor(v);
        case RoundingRule::TowardZero:
            return std::trunc(v);
        case RoundingRule::AwayFromZero:
            return v < 0 ? std::floor(v) : std::ceil(v);
    }
    return v;
}

// `v` rounded to `places` decimal places (a negative count means 0): 1.005 * 100 rounded / 100.
template <std::floating_point F>
F rounded(F v, int places, RoundingRule rule = RoundingRule::ToNearestOrAwayFromZero) {
    const F m = static_cast<F>(std::pow(10.0, places < 0 ? 0 : places));
    return rounded(v * m, rule) / m;
}

template <std::floating_point F>
constexpr std::pair<F, F> plusMinus(F a, F b) {
    return {a + b, a - b};
}
template <std::floating_point F>
constexpr std::pair<F, F> plusMinus(F a) {
    return {F(0) + a, F(0) - a};
}

// Truncated toward zero; NaN gives 0 and values beyond the range give its nearest end.
std::int64_t int_(double v);
std::int64_t int_(float v);
constexpr float float_(double v) {
    return static_cast<float>(v);
}
constexpr double cgFloat(double v) {
    return v;
}
constexpr double double_(float v) {
    return v;
}
constexpr double cgFloat(float v) {
    return v;
}
inline float squareRoot(float v) {
    return std::sqrt(v);
}

// The value scaled by its magnitude's row (below 10^3 as is, from 10^3 in K, from 10^5 in M of 10^6,
// from 10^8 in B of 10^9) in the current locale: 1500 -> "1.5K", 100000 -> "0.1M".
std::string abbreviated(double v, int maximumFractionDigits = 1,
                        foundation::RoundingMode mode = foundation::RoundingMode::HalfEven);
// The same for an integer, always rounding toward zero: 99999 -> "99K".
std::string abbreviated(std::int64_t v, int maximumFractionDigits);

constexpr std::int64_t int_(bool b) {
    return b ? 1 : 0;
}
inline std::string string(bool b) {
    return b ? "true" : "false";
}

}  // namespace num
