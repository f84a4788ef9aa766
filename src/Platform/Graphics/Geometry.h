#pragma once
// Core Graphics' value types: points, sizes and rectangles in double precision. A Rect may have a
// negative width or height; its min/max/width/height accessors answer for the standardised rectangle,
// as CGRect's functions do. Plain values, safe anywhere.

#include <cmath>
#include <limits>

namespace cg {

struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point o, Size s) : origin(o), size(s) {}
    Rect(double x, double y, double w, double h) : origin{x, y}, size{w, h} {}

    static Rect null();  // the rectangle CGRectNull: infinite origin, zero size
    bool isNull() const { return std::isinf(origin.x) || std::isinf(origin.y); }
    bool isEmpty() const { return isNull() || size.width == 0 || size.height == 0; }

    Rect standardized() const;
    double minX() const { return standardized().origin.x; }
    double minY() const { return standardized().origin.y; }
    double maxX() const { return minX() + width(); }
    double maxY() const { return minY() + height(); }
    double midX() const { return minX() + width() / 2; }
    double midY() const { return minY() + height() / 2; }
    double width() const { return std::fabs(size.width); }
    double height() const { return std::fabs(size.height); }

    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const {
        return isNull() ? *this : Rect(origin.x + dx, origin.y + dy, size.width, size.height);
    }
    Rect intersection(const Rect& other) const;  // null when they do not meet
    Rect unionWith(const Rect& other) const;
    Rect integral() const;
    bool intersects(const Rect& other) const { return !intersection(other).isNull(); }
    bool contains(Point p) const;
    bool contains(const Rect& r) const;

    bool operator==(const Rect&) const = default;
};

}  // namespace cg
