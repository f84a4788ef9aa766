#pragma once
// CIE XYZ and L*a*b* with the D65 white point (X 0.95047, Y 1, Z 1.08883) over sRGB. The two directions
// share the white point and the CIE thresholds, so a colour survives Lab and back. Pure functions, any
// thread.

#include "Platform/Graphics/Color.h"

namespace colour {

struct XYZ {
    double x = 0, y = 0, z = 0;  // Y of white is 1
};

struct Lab {
    double L = 0, a = 0, b = 0;  // L* of white is 100
};

// L*a*b* to sRGB; results outside 0...1 (colours outside sRGB) are kept, alpha is unchanged.
cg::Color fromLab(double L, double a, double b, double alpha);

// From the red, green and blue of rgba(); extended channels are linearised symmetrically about 0.
XYZ xyz(const cg::Color& c);
Lab lab(const cg::Color& c);
double labL(const cg::Color& c);
double labA(const cg::Color& c);

}  // namespace colour
