#pragma once
// Arithmetic on two-component values (points and sizes, read as vectors): component-wise division,
// replacing one component, angle and length, building from polar form, scaling and negation.
// Pure functions on plain values; safe from any thread.

#include <cmath>
#include <concepts>

#include "Platform/Graphics/Geometry.h"

namespace num {

// Which members are the first and second component of a two-component type.
template <class V>
struct Components;
template <>
struct Components<cg::Point> {
    static constexpr double cg::Point::*first = &cg::Point::x;
    static constexpr double cg::Point::*second = &cg::Point::y;
};
template <>
struct Components<cg::Size> {
    static constexpr double cg::Size::*first = &cg::Size::width;
    static constexpr double cg::Size::*second = &cg::Size::height;
};

template <class V>
concept TwoComponent = requires {
    Components<V>::first;
};

namespace detail {
template <TwoComponent V>
constexpr V make(double first, double second) {
    V v{};
    v.*Components<V>::first = first;
    v.*Components<V>::second = second;
    return v;
}
template <TwoComponent V>
constexpr double first(const V& v) {
    return v.*Components<V>::first;
}
template <TwoComponent V>
constexpr double second(const V& v) {
    return v.*Components<V>::second;
}
}  // namespace detail

template <TwoComponent V>
V floored(const V& v) {
    return detail::make<V>(std::floor(detail::first(v)), std::floor(detail::second(v)));
}
template <TwoComponent V>
constexpr V dividedComponentwise(const V& a, const V& b) {
    return detail::make<V>(detail::first(a) / detail::first(b), detail::second(a) / detail::second(b));
}
template <TwoComponent V>
constexpr V divided(const V& a, double s) {
    return detail::make<V>(detail::first(a) / s, detail::second(a) / s);
}
template <TwoComponent V>
constexpr V withFirst(const V& v, double first) {
    return detail::make<V>(first, detail::second(v));
}
template <TwoComponent V>
constexpr V withSecond(const V& v, double second) {
    return detail::make<V>(detail::first(v), second);
}
// atan2(second, first), in radians.
template <TwoComponent V>
double angle(const V& v) {
    return std::atan2(detail::second(v), detail::first(v));
}
template <TwoComponent V>
double magnitude(const V& v) {
    return std::sqrt(detail::first(v) * detail::first(v) + detail::second(v) * detail::second(v));
}
template <TwoComponent V>
V fromAngle(double angle, double magnitude) {
    return detail::make<V>(std::cos(angle) * magnitude, std::sin(angle) * magnitude);
}
template <TwoComponent V>
constexpr V multiplied(const V& v, double s) {
    return detail::make<V>(detail::first(v) * s, detail::second(v) * s);
}
template <TwoComponent V>
constexpr V multiplied(double s, const V& v) {
    return multiplied(v, s);
}
template <TwoComponent V>
constexpr void multiply(V& v, double s) {
    v = multiplied(v, s);
}
template <TwoComponent V>
constexpr V negated(const V& v) {
    return detail::make<V>(-detail::first(v), -detail::second(v));
}

}  // namespace num
