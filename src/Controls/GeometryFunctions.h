#pragma once
// Small geometry helpers of the control toolkit. Pure; any thread.

#include "Platform/Graphics/Geometry.h"

namespace rect {
// The rectangle with its size kept and its centre moved to `p`.
cg::Rect centered(const cg::Rect& r, cg::Point p);
}  // namespace rect

namespace point {
cg::Point negated(cg::Point p);
// Both coordinates differ by less than 0.01.
bool isNearlyEqual(cg::Point a, cg::Point b);
}  // namespace point
