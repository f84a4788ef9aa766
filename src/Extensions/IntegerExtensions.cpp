#include "Extensions/IntegerExtensions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace num {

namespace {

// The magnitude as an unsigned value, defined for the smallest value too.
std::uint64_t magnitude(std::int64_t n) {
    return n < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
}

struct RomanRow {
    std::int64_t value;
    std::string_view letters;
};
constexpr std::array<RomanRow, 13> romanNumeralTable{{{1000, "M"},
                                                      {900, "CM"},
                                                      {500, "D"},
                                                      {400, "CD"},
                                                      {100, "C"},
                                                      {90, "XC"},
                                                      {50, "L"},
                                                      {40, "XL"},
                                                      {10, "X"},
                                                      {9, "IX"},
                                                      {5, "V"},
                                                      {4, "IV"},
                                                      {1, "I"}}};

constexpr std::int64_t kRomanLimit = 1'000'000'000;

std::string signText(std::int64_t n) {
    return n < 0 ? "-" : "";
}

}  // namespace

double squareRoot(std::int64_t n) {
    return std::sqrt(static_cast<double>(n));
}

std::vector<std::int64_t> digits(std::int64_t n) {
    std::uint64_t m = magnitude(n);
    std::vector<std::int64_t> out;
    do {
        out.push_back(static_cast<std::int64_t>(m % 10));
        m /= 10;
    } while (m != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

int digitsCount(std::int64_t n) {
    // Counted by division: a logarithm in double precision counts 10^15 - 1 as 16 digits.
    return static_cast<int>(digits(n).size());
}

bool isPrime(std::int64_t n) {
    if (n == 2) return true;
    if (n < 2 || n % 2 == 0) return false;
    // The exact integer square root: the rounded double root can fall one short of a prime's square.
    auto limit = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (limit > 0 && limit > n / limit) --limit;
    while ((limit + 1) <= n / (limit + 1)) ++limit;
    for (std::int64_t d = 3; d <= limit; d += 2) {
        if (n % d == 0) return false;
    }
    return true;
}

std::optional<std::string> romanNumeral(std::int64_t n) {
    if (n < 1 || n > kRomanLimit) return std::nullopt;
    std::string out;
    std::int64_t remaining = n;
    for (const RomanRow& row : romanNumeralTable) {
        for (std::int64_t k = remaining / row.value; k > 0; --k) out += row.letters;
        remaining %= row.value;
    }
    return out;
}

std::int64_t roundToNearest(std::int64_t value, std::int64_t n) {
    if (n == 0 || n == 1 || n == -1) return value;
    // In integers, exactly: a quotient in double precision is off for values beyond 2^53.
    std::int64_t q = value / n;
    const std::uint64_t r = magnitude(value % n), m = magnitude(n);
    const std::int64_t awayFromZero = (value < 0) != (n < 0) ? -1 : 1;
    if (r != 0 && r >= m - r) q += awayFromZero;
    std::int64_t result = 0;
    // The multiple beyond the type's range is replaced by the one on the other side of the value.
    if (__builtin_mul_overflow(q, n, &result)) result = (q - awayFromZero) * n;
    return result;
}

std::string kFormatted(std::int64_t n) {
    const std::uint64_t m = magnitude(n);
    if (m < 1000) return "0k";
    if (m <= 999'999) return signText(n) + std::to_string(m / 1000) + "k";
    return signText(n) + std::to_string(m / 1'000'000) + "kk";
}

std::string shortScaleText(std::int64_t n) {
    if (n == 0) return "0K";
    const std::uint64_t m = magnitude(n);
    if (m < 1000) return signText(n) + std::to_string(m);
    if (m < 1'000'000) return signText(n) + std::to_string(m / 1000) + "K";
    if (m < 1'000'000'000) return signText(n) + std::to_string(m / 1'000'000) + "M";
    return signText(n) + std::to_string(m / 1'000'000'000) + "B";
}

std::int64_t random(std::int64_t lower, std::int64_t upper) {
    if (upper < lower) std::swap(lower, upper);
    const std::uint64_t span = static_cast<std::uint64_t>(upper) - static_cast<std::uint64_t>(lower);
    std::uint64_t offset = 0;
    if (span < std::numeric_limits<std::uint32_t>::max()) {
        offset = arc4random_uniform(static_cast<std::uint32_t>(span + 1));
    } else {
        // Wider than 32 bits: draw 64 bits and reject the biased top, as arc4random_uniform does.
        const std::uint64_t count = span + 1;  // 0 means the whole 64-bit range
        const std::uint64_t floor = count == 0 ? 0 : (std::uint64_t{0} - count) % count;
        do {
            arc4random_buf(&offset, sizeof offset);
        } while (offset < floor);
        if (count != 0) offset %= count;
    }
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lower) + offset);
}

std::optional<std::int64_t> percentageChange(std::int64_t a, std::int64_t b) {
    std::int64_t difference = 0, result = 0;
    if (a == 0 || __builtin_sub_overflow(a, b, &difference)) return std::nullopt;
    if (a == -1 && difference == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
    if (__builtin_mul_overflow(difference / a, std::int64_t{100}, &result)) return std::nullopt;
    return result;
}

std::string durationText(std::int64_t seconds) {
    if (seconds <= 0) return "0 sec";
    if (seconds < 60) return std::to_string(seconds) + " sec";
    if (seconds < 3600) return std::to_string(seconds / 60) + " min";
    const std::int64_t h = seconds / 3600, m = (seconds % 3600) / 60;
    if (m == 0) return std::to_string(h) + "h";
    return std::to_string(h) + "h " + std::to_string(m) + "m";
}

}  // namespace num
