#pragma once
// Helpers on bytes (as a list, as text, as JSON), on sizes (aspect ratio, fit and fill inside a
// bound), and small comparisons and collection reads: a tolerance test, range tests and clamping,
// indices of a value, an element counted from either end, a random Boolean. Pure functions; safe from
// any thread.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <vector>

#include "Extensions/CollectionExtensions.h"
#include "Platform/Foundation/JsonSerialization.h"
#include "Platform/Foundation/PlistValue.h"
#include "Platform/Foundation/TextEncoding.h"
#include "Platform/Graphics/Geometry.h"

namespace data {

inline std::vector<std::uint8_t> bytes(std::span<const std::uint8_t> d) {
    return {d.begin(), d.end()};
}
// The text of the bytes in `encoding`, as UTF-8; absent when they do not decode.
inline std::optional<std::string> string(std::span<const std::uint8_t> d,
                                         foundation::StringEncoding encoding) {
    return foundation::decodedText(d, encoding);
}
// The JSON value of the bytes; throws foundation::JsonError when they are no JSON.
inline foundation::PlistValue jsonObject(std::span<const std::uint8_t> d,
                                         foundation::JsonReadingOptions options = {}) {
    return foundation::jsonObject(d, options);
}

// width / height; 0 for a height of 0.
double aspectRatio(cg::Size s);
inline double maxDimension(cg::Size s) {
    return std::max(s.width, s.height);
}
inline double minDimension(cg::Size s) {
    return std::min(s.width, s.height);
}
// The size scaled by the smaller (fit) or the larger (fill, then capped at the bound) of the two
// ratios bound / size. A side of 0 scales to 0, never to a value that is no number.
cg::Size aspectFit(cg::Size s, cg::Size bound);
cg::Size aspectFill(cg::Size s, cg::Size bound);

// |a - b| < tolerance.
inline bool isAlmostEqual(double a, double b, double tolerance) {
    return std::fabs(a - b) < tolerance;
}
// lower <= v <= upper.
template <class T>
bool isBetween(const T& v, const T& lower, const T& upper) {
    return !(v < lower) && !(upper < v);
}
// max(lower, min(v, upper)): the lower bound wins when the bounds are inverted.
template <class T>
T clamped(const T& v, const T& lower, const T& upper) {
    const T& upperCapped = upper < v ? upper : v;
    return upperCapped < lower ? lower : upperCapped;
}

// The offsets of every element equal to `value`, ascending.
template <std::ranges::input_range R, class T>
std::vector<std::size_t> indices(R&& r, const T& value) {
    return seq::indices(std::forward<R>(r), value);
}

// The element `offset` places from the start, or for a negative offset from the end (-1 is the last);
// absent outside the collection.
template <std::ranges::bidirectional_range R>
std::optional<std::ranges::range_value_t<R>> element(R&& r, std::int64_t offset) {
    const auto count = static_cast<std::int64_t>(std::ranges::distance(r));
    if (offset >= count || offset < -count) return std::nullopt;
    if (offset >= 0) return *std::ranges::next(std::ranges::begin(r), offset);
    return *std::ranges::prev(std::ranges::end(r), -offset);
}

// True or false with even odds.
bool randomValue();

}  // namespace data
