#pragma once
// Deriving one colour from another: weighted blends, channel additions, brightness and alpha changes,
// the complementary hue and the circular inversion. Every result is a new colour without NaN; a NaN or
// infinite amount leaves the colour as it is. Pure functions, any thread.

#include "Platform/Graphics/Color.h"

namespace colour {

// w1 = weight / (weight + otherWeight), w2 likewise. w1 not above 0 (both weights 0 included) gives the
// second colour, w2 not above 0 the first; otherwise w1 x first + w2 x second on all four components.
cg::Color blend(const cg::Color& first, double weight, const cg::Color& second, double otherWeight);

// Red, green and blue each min(c + amount, 1); alpha kept.
cg::Color adding(const cg::Color& c, double amount);
// Red, green and blue each c - amount, floored at 0; alpha kept.
cg::Color subtracting(const cg::Color& c, double amount);
// As adding and subtracting, but the result is opaque.
cg::Color lighter(const cg::Color& c, double amount);
cg::Color darker(const cg::Color& c, double amount);

// Brightness x (1 + x) or x (1 - x), alpha x alphaFactor, in the HSB model (which limits to 0...1).
cg::Color brightened(const cg::Color& c, double x);
cg::Color dimmed(const cg::Color& c, double x);
cg::Color brightened(const cg::Color& c, double x, double alphaFactor);
cg::Color dimmed(const cg::Color& c, double x, double alphaFactor);
cg::Color alphaScaled(const cg::Color& c, double x);
// The same red, green and blue with the given alpha (NaN gives 1).
cg::Color replacingAlpha(const cg::Color& c, double alpha);

// The hue turned half a turn: d = 360 h + 180, less 360 above 360, mirrored below 0.
cg::Color complementary(const cg::Color& c);

// Each channel c becomes sqrt(1 - c^2) (0 gives 1, 1 gives 0, 0.6 gives 0.8); channels outside 0...1
// are taken at the nearer end, so the root never sees a negative value. Alpha 1.
cg::Color circularInverse(const cg::Color& c);
cg::Color circularInverseOf(const cg::Color& c);

}  // namespace colour
