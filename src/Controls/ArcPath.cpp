#include "Controls/ArcPath.h"

#include <algorithm>
#include <cmath>

namespace controls {

namespace {

cg::Point onCircle(cg::Point c, double r, double radians) {
    return {c.x + r * std::cos(radians), c.y + r * std::sin(radians)};
}

}  // namespace

double arcSweep(double startDegrees, double endDegrees, bool clockwise) {
    double end = endDegrees;
    if (clockwise) {
        while (end > startDegrees) end -= 360;
        return std::max(end - startDegrees, -360.0);
    }
    while (end < startDegrees) end += 360;
    return std::min(end - startDegrees, 360.0);
}

void appendArc(appkit::BezierPath& path, cg::Point centre, double radius, double startDegrees,
               double endDegrees, bool clockwise) {
    const double sweep = arcSweep(startDegrees, endDegrees, clockwise) * M_PI / 180;
    const double start = startDegrees * M_PI / 180;
    const cg::Point first = onCircle(centre, radius, start);
    if (path.isEmpty())
        path.moveTo(first);
    else
        path.lineTo(first);
    // Cubic pieces of at most a quarter turn each.
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (M_PI / 2) - 1e-9)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4) * radius;
    for (int i = 0; i < pieces; ++i) {
        const double a0 = start + step * i, a1 = a0 + step;
        const cg::Point p0 = onCircle(centre, radius, a0), p1 = onCircle(centre, radius, a1);
        const cg::Point c1{p0.x - k * std::sin(a0), p0.y + k * std::cos(a0)};
        const cg::Point c2{p1.x + k * std::sin(a1), p1.y - k * std::cos(a1)};
        path.curveTo(p1, c1, c2);
    }
}

}  // namespace controls
