#pragma once
// Uniformly distributed random dates within a range: 2^53 evenly spaced points of a half-open
// range, 2^53 + 1 of a closed one (both bounds included). The words come from the system's secure
// source (any thread) or from a caller's generator of full 64-bit words, which the call advances,
// so a seeded generator gives the same date again; a generator must not be shared between threads.

#include <concepts>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

#include "Platform/Foundation/Date.h"

namespace dates {

using foundation::Date;
using RandomWords = std::function<std::uint64_t()>;

// A date lo <= d < hi; absent for an empty range (hi <= lo) or bounds that are not finite.
std::optional<Date> randomInRange(Date lo, Date hi, const RandomWords& words);
// A date lo <= d <= hi (lo itself when lo == hi); absent when hi < lo or a bound is not finite.
std::optional<Date> randomInClosedRange(Date lo, Date hi, const RandomWords& words);

std::optional<Date> randomInRange(Date lo, Date hi);
std::optional<Date> randomInClosedRange(Date lo, Date hi);

// A generator of the standard library's kind whose every draw is a full 64-bit word
// (std::mt19937_64; not std::mt19937, whose 32-bit words would skew the draw).
template <typename G>
concept WordGenerator = std::uniform_random_bit_generator<G> && G::min()
== 0 && G::max() == std::numeric_limits<std::uint64_t>::max();

template <WordGenerator G>
std::optional<Date> randomInRange(Date lo, Date hi, G& generator) {
    return randomInRange(lo, hi,
                         RandomWords([&generator] { return static_cast<std::uint64_t>(generator()); }));
}

template <WordGenerator G>
std::optional<Date> randomInClosedRange(Date lo, Date hi, G& generator) {
    return randomInClosedRange(lo, hi,
                               RandomWords([&generator] { return static_cast<std::uint64_t>(generator()); }));
}

}  // namespace dates
