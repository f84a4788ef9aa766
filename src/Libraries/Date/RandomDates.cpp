#include "Libraries/Date/RandomDates.h"

#include <algorithm>
#include <cmath>

#include "Platform/Foundation/SecureRandom.h"

namespace dates {

namespace {

constexpr std::uint64_t kPoints = std::uint64_t{1} << 53;
constexpr double kScale = 1.0 / static_cast<double>(kPoints);  // 2^-53
// Draws are counted from the platform's reference date (2001-01-01 UTC), as its dates are.
constexpr double kReferenceDateSince1970 = 978307200.0;

struct Span {
    double lo, hi;
};

std::optional<Span> span(Date lo, Date hi) {
    const Span s{lo.secondsSince1970 - kReferenceDateSince1970,
                 hi.secondsSince1970 - kReferenceDateSince1970};
    if (!std::isfinite(s.lo) || !std::isfinite(s.hi) || !std::isfinite(s.hi - s.lo)) return std::nullopt;
    return s;
}

// Back to a date, kept within [lo, hi]: the two changes of origin may each round by a unit in the
// last place.
Date fromReference(double seconds, Date lo, Date hi) {
    return std::clamp(Date{seconds + kReferenceDateSince1970}, lo, hi);
}

}  // namespace

std::optional<Date> randomInRange(Date lo, Date hi, const RandomWords& words) {
    const auto s = span(lo, hi);
    if (!s || !(s->lo < s->hi)) return std::nullopt;
    for (;;) {
        const std::uint64_t k = words() & (kPoints - 1);
        const double value = s->lo + (s->hi - s->lo) * (static_cast<double>(k) * kScale);
        const Date d = fromReference(value, lo, hi);
        if (value < s->hi && d < hi) return d;
    }
}

std::optional<Date> randomInClosedRange(Date lo, Date hi, const RandomWords& words) {
    const auto s = span(lo, hi);
    if (!s || s->hi < s->lo) return std::nullopt;
    // k uniform in 0...2^53 without bias (Lemire's multiply-and-reject).
    constexpr std::uint64_t kCount = kPoints + 1;
    constexpr std::uint64_t kThreshold = (0 - kCount) % kCount;
    std::uint64_t k = 0;
    for (;;) {
        const unsigned __int128 product = static_cast<unsigned __int128>(words()) * kCount;
        if (static_cast<std::uint64_t>(product) >= kThreshold) {
            k = static_cast<std::uint64_t>(product >> 64);
            break;
        }
    }
    if (k == kPoints) return hi;
    return fromReference(s->lo + (s->hi - s->lo) * (static_cast<double>(k) * kScale), lo, hi);
}

std::optional<Date> randomInRange(Date lo, Date hi) {
    return randomInRange(lo, hi, RandomWords(foundation::secureRandom64));
}

std::optional<Date> randomInClosedRange(Date lo, Date hi) {
    return randomInClosedRange(lo, hi, RandomWords(foundation::secureRandom64));
}

}  // namespace dates
