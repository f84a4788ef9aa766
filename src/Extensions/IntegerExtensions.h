#pragma once
// Small value members on 64-bit integers (Swift's Int) and on every integer type: conversions,
// digits, primality, Roman numerals, rounding to a multiple, short texts ("3kk", "-1K", "2h 2m").
// Pure functions; safe from any thread. Results that the type cannot hold are absent or saturated,
// never undefined.

#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <ranges>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "Extensions/NumberBasics.h"

namespace num {

// 0 ..< n; empty for a negative n.
inline auto countableRange(std::int64_t n) {
    return std::views::iota(std::int64_t{0}, n < 0 ? std::int64_t{0} : n);
}

// A negative value has no unsigned counterpart: it reads as 0.
constexpr std::uint64_t uInt(std::int64_t n) {
    return n < 0 ? 0 : static_cast<std::uint64_t>(n);
}
constexpr double double_(std::int64_t n) {
    return static_cast<double>(n);
}
constexpr float float_(std::int64_t n) {
    return static_cast<float>(n);
}
constexpr double cgFloat(std::int64_t n) {
    return static_cast<double>(n);
}

double squareRoot(std::int64_t n);

// (n, -n); the smallest value's negation saturates as in abs().
constexpr std::pair<std::int64_t, std::int64_t> plusMinus(std::int64_t n) {
    return {n, n == std::numeric_limits<std::int64_t>::min() ? std::numeric_limits<std::int64_t>::max() : -n};
}

// Decimal digits of the magnitude, most significant first: -120 -> {1, 2, 0}, 0 -> {0}.
std::vector<std::int64_t> digits(std::int64_t n);
// The number of decimal digits of the magnitude (1 for 0).
int digitsCount(std::int64_t n);

bool isPrime(std::int64_t n);

// Absent below 1, and above one billion, whose numeral (a million "M"s) is no longer a text to show.
std::optional<std::string> romanNumeral(std::int64_t n);

// `value` rounded to the nearest multiple of `n`, halves away from zero (14 -> 15, -15 -> -20 for
// 5 and 10); `value` itself for n = 0. Where that multiple does not fit, the one on the other side.
std::int64_t roundToNearest(std::int64_t value, std::int64_t n);

// "0k" below 1000 in magnitude, then "12k" and from a million "3kk", truncated, with a minus sign.
std::string kFormatted(std::int64_t n);
// "0K" for 0, "42" below 1000, then "1K", "999M", "3B" truncated, with a minus sign; magnitudes
// from 10^12 stay in billions ("1000B").
std::string shortScaleText(std::int64_t n);

// lower + a uniform whole number in 0...upper - lower, from the system's secure source. Inverted
// bounds are swapped.
std::int64_t random(std::int64_t lower, std::int64_t upper);

// ((a - b) / a) * 100 with the integer quotient truncated before the multiplication, so the result
// is a multiple of 100 ((100, 80) -> 0, (100, -100) -> 200). Absent for a = 0 or an overflow.
std::optional<std::int64_t> percentageChange(std::int64_t a, std::int64_t b);
// (a - b) / a.
constexpr float relativeChange(float a, float b) {
    return (a - b) / a;
}

// --- Every integer type (and, for the signs, every number) ---

template <class T>
requires std::is_arithmetic_v<T>
constexpr bool isPositive(T n) {
    return n > 0;
}
template <class T>
requires std::is_arithmetic_v<T>
constexpr bool isNegative(T n) {
    return n < 0;
}

template <std::integral T>
constexpr bool isEven(T n) {
    return n % 2 == 0;
}
template <std::integral T>
constexpr bool isOdd(T n) {
    return n % 2 != 0;
}

namespace detail {
// a % n without the one case the hardware traps on (the smallest value by -1, whose remainder is 0).
template <std::integral T>
constexpr T remainder(T a, T n) {
    if constexpr (std::signed_integral<T>) {
        if (n == -1) return 0;
    }
    return a % n;
}
}  // namespace detail

// Euclid's rule: gcd(a, 0) = a, else gcd(n, a % n). The sign follows the remainders, as the rule
// gives it (gcd(4, -6) = -2).
template <std::integral T>
constexpr T gcd(T a, T n) {
    while (n != 0) {
        const T r = detail::remainder(a, n);
        a = n;
        n = r;
    }
    return a;
}

// |a * n| / gcd(a, n); 0 when either is 0; absent when the result does not fit the type.
template <std::integral T>
constexpr std::optional<T> lcm(T a, T n) {
    if (a == 0 || n == 0) return T{0};
    const T g = gcd(a, n);
    if constexpr (std::signed_integral<T>) {
        if (g == -1 && a == std::numeric_limits<T>::min()) return std::nullopt;
    }
    const T quotient = a / g;  // exact: g divides a
    T product{};
    if (__builtin_mul_overflow(quotient, n, &product)) return std::nullopt;
    if constexpr (std::signed_integral<T>) {
        if (product < 0) {
            if (product == std::numeric_limits<T>::min()) return std::nullopt;
            product = -product;
        }
    }
    return product;
}

// A number of seconds as "0 sec", "59 sec", "59 min", "1h" or "2h 2m"; leftover seconds dropped.
std::string durationText(std::int64_t seconds);
template <std::integral T>
std::string durationText(T seconds) {
    if constexpr (std::unsigned_integral<T>) {
        const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        return durationText(static_cast<std::int64_t>(std::min<std::uint64_t>(seconds, limit)));
    } else {
        return durationText(static_cast<std::int64_t>(seconds));
    }
}

}  // namespace num
