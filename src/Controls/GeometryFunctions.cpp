#include "Controls/GeometryFunctions.h"

#include <cmath>

namespace rect {
cg::Rect centered(const cg::Rect& r, cg::Point p) {
    const double w = std::abs(r.size.width), h = std::abs(r.size.height);  // as width and height read them
    return cg::Rect(p.x - w / 2, p.y - h / 2, r.size.width, r.size.height);
}
}  // namespace rect

namespace point {
cg::Point negated(cg::Point p) {
    return {-p.x, -p.y};
}
bool isNearlyEqual(cg::Point a, cg::Point b) {
    return std::abs(a.x - b.x) < 0.01 && std::abs(a.y - b.y) < 0.01;
}
}  // namespace point
