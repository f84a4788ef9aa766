#pragma once
// The device CMYK model (no colour profile): cyan, magenta, yellow and key in 0...1. Pure functions, any
// thread.

#include "Platform/Graphics/Color.h"

namespace colour {

struct CMYK {
    double cyan = 0, magenta = 0, yellow = 0, key = 0;
    bool operator==(const CMYK&) const = default;
};

// Each channel 1 - (x (1 - k) + k); alpha 1.
cg::Color fromCMYK(double cyan, double magenta, double yellow, double key);

// From rgba(): key = min(1 - r, 1 - g, 1 - b, 1); black (key 1) reads (0, 0, 0, 1), so the division by
// 1 - key never meets 0.
CMYK cmyk(const cg::Color& c);
double cyanValue(const cg::Color& c);
double magentaValue(const cg::Color& c);
double yellowValue(const cg::Color& c);
double keyValue(const cg::Color& c);

}  // namespace colour
