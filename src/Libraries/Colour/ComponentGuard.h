#pragma once
// How the colour library keeps NaN and infinities out of the colours it makes: the one place that
// decides what a non-finite component or amount turns into. Pure functions, any thread.

#include <algorithm>
#include <cmath>

#include "Platform/Graphics/Color.h"

namespace colour::detail {

// A component as the colour keeps it: finite values pass unchanged (extended range stays), NaN becomes
// `nanValue`, an infinity the nearer end of 0...1.
inline double finiteComponent(double v, double nanValue = 0) {
    if (std::isnan(v)) return nanValue;
    if (std::isinf(v)) return v > 0 ? 1 : 0;
    return v;
}

// A value clamped to 0...1; NaN becomes `nanValue`.
inline double clampUnit(double v, double nanValue) {
    return std::isnan(v) ? nanValue : std::clamp(v, 0.0, 1.0);
}

// An amount or factor of an adjustment: a NaN or infinite one leaves the colour as it is (`neutral`).
inline double finiteAmount(double v, double neutral) {
    return std::isfinite(v) ? v : neutral;
}

// The one constructor every red-green-blue colour of the library ends in. A NaN alpha becomes opaque.
inline cg::Color makeRGBA(double r, double g, double b, double a) {
    return {finiteComponent(r), finiteComponent(g), finiteComponent(b), finiteComponent(a, 1)};
}

inline cg::Color sanitized(const cg::Color& c) {
    return makeRGBA(c.red, c.green, c.blue, c.alpha);
}

}  // namespace colour::detail
