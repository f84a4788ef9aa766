#include "Controls/GeometryFunctions.h"

#include <cmath>

#include "Extensions/RectExtensions.h"
#include "Extensions/VectorExtensions.h"

namespace rect {
cg::Rect centered(const cg::Rect& r, cg::Point p) {
    cg::Rect moved = r;
    num::setCenter(moved, p);
    return moved;
}
}  // namespace rect

namespace point {
cg::Point negated(cg::Point p) {
    return num::negated(p);
}
bool isNearlyEqual(cg::Point a, cg::Point b) {
    return std::abs(a.x - b.x) < 0.01 && std::abs(a.y - b.y) < 0.01;
}
}  // namespace point
