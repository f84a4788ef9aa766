#pragma once
// The arithmetic an interpolated value needs (sums, differences, scaling by a fraction, division),
// as concepts, with the conformances of CGFloat (double) and points; the fraction of the way a value
// lies between two others; and a clamp that takes its bounds in either order. Pure; any thread.

#include <algorithm>
#include <concepts>

#include "Platform/Graphics/PointArithmetic.h"

namespace support {

using CGFloat = double;

template <class T>
concept Summable = requires(T a, T b) {
    { a + b } -> std::convertible_to<T>;
};

template <class T>
concept Subtractable = requires(T a, T b) {
    { a - b } -> std::convertible_to<T>;
    {a -= b};
};

template <class T>
concept ScalarMultipliable = requires(T a, CGFloat s) {
    { a* s } -> std::convertible_to<T>;
};

template <class T>
concept Dividable = requires(T a, T b) {
    { a / b } -> std::convertible_to<T>;
};

// What it takes to tell how far a value lies between two others: a zero and that fraction.
// Specialise for a type to make it inverse-interpolatable.
template <class T>
struct InverseInterpolation;

template <>
struct InverseInterpolation<CGFloat> {
    static constexpr CGFloat zero = 0;
    // 0 at `from`, 1 at `to`; 0 when the two are the same.
    static CGFloat fraction(CGFloat value, CGFloat from, CGFloat to) {
        return to == from ? 0 : (value - from) / (to - from);
    }
};

template <class T>
concept InverseInterpolatable = Dividable<T> && Subtractable<T> && std::totally_ordered<T> &&
    requires(const T& v) {
    { InverseInterpolation<T>::zero } -> std::convertible_to<T>;
    { InverseInterpolation<T>::fraction(v, v, v) } -> std::convertible_to<CGFloat>;
};

// `value` limited to the range between `a` and `b`, whichever of the two is the larger.
template <std::totally_ordered T>
T clamp(const T& value, const T& a, const T& b) {
    const T& upper = a > b ? a : b;
    const T& lower = a > b ? b : a;
    return std::max(std::min(value, upper), lower);
}

}  // namespace support
