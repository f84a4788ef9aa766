#pragma once
// Component-wise arithmetic on points: sums, differences, scaling and the distance between two points.
// Pure functions on values, safe anywhere.

#include <cmath>

#include "Platform/Graphics/Geometry.h"

namespace cg {

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
inline Point& operator+=(Point& a, Point b) {
    return a = a + b;
}
inline Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
inline Point& operator-=(Point& a, Point b) {
    return a = a - b;
}
inline Point operator*(Point p, double s) {
    return {p.x * s, p.y * s};
}
inline Point operator*(double s, Point p) {
    return {s * p.x, s * p.y};
}
inline Point& operator*=(Point& p, double s) {
    return p = p * s;
}

inline double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace cg
