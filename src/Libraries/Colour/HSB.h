#pragma once
// The hue-saturation-brightness model (hue on the 0...1 scale, a full turn is 1). Pure functions, any
// thread.

#include "Platform/Graphics/Color.h"

namespace colour {

struct HSBA {
    double hue = 0, saturation = 0, brightness = 0, alpha = 1;
    bool operator==(const HSBA&) const = default;
};

// As the platform's HSB constructor: the hue wraps into 0...1 (1 is 0 again), saturation, brightness and
// alpha are limited to 0...1; NaN gives 0 (alpha 1).
cg::Color fromHSBA(double hue, double saturation, double brightness, double alpha);

// Black reads (0, 0, 0, a) and a grey (0, 0, w, a): no division by a zero brightness or spread.
HSBA hsba(const cg::Color& c);
HSBA hsbaComponents(const cg::Color& c);
double hueValue(const cg::Color& c);
double saturationValue(const cg::Color& c);
double brightnessValue(const cg::Color& c);

}  // namespace colour
