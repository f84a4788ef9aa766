#pragma once
// Arithmetic on sizes: component-wise sums, differences and products, and scaling by a number in
// either order, with the in-place forms. Plain values; safe anywhere.

#include "Platform/Graphics/Geometry.h"

namespace cg {

constexpr Size operator+(Size a, Size b) {
    return {a.width + b.width, a.height + b.height};
}
constexpr Size operator-(Size a, Size b) {
    return {a.width - b.width, a.height - b.height};
}
constexpr Size operator*(Size a, Size b) {
    return {a.width * b.width, a.height * b.height};
}
constexpr Size operator*(Size a, double s) {
    return {a.width * s, a.height * s};
}
constexpr Size operator*(double s, Size a) {
    return a * s;
}
constexpr Size& operator+=(Size& a, Size b) {
    return a = a + b;
}
constexpr Size& operator-=(Size& a, Size b) {
    return a = a - b;
}
constexpr Size& operator*=(Size& a, Size b) {
    return a = a * b;
}
constexpr Size& operator*=(Size& a, double s) {
    return a = a * s;
}

}  // namespace cg
