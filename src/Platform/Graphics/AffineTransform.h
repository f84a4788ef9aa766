#pragma once
// An affine transform of the plane in Core Graphics' form: x' = a*x + c*y + tx, y' = b*x + d*y + ty.

#include "Platform/Graphics/Geometry.h"

namespace cg {

struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static AffineTransform rotation(double radians);

    bool isIdentity() const { return *this == AffineTransform{}; }
    // This transform followed by `t`.
    AffineTransform concatenating(const AffineTransform& t) const;
    AffineTransform translatedBy(double x, double y) const { return translation(x, y).concatenating(*this); }
    AffineTransform scaledBy(double sx, double sy) const { return scale(sx, sy).concatenating(*this); }
    AffineTransform rotatedBy(double radians) const { return rotation(radians).concatenating(*this); }
    // The inverse, or this transform unchanged when it cannot be inverted.
    AffineTransform inverted() const;

    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    Size apply(Size s) const { return {a * s.width + c * s.height, b * s.width + d * s.height}; }
    // The bounding box of the transformed rectangle.
    Rect apply(const Rect& r) const;

    bool operator==(const AffineTransform&) const = default;
};

}  // namespace cg
