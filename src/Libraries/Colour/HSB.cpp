#include "Libraries/Colour/HSB.h"

#include <algorithm>
#include <cmath>

#include "Libraries/Colour/ComponentGuard.h"
#include "Libraries/Colour/Components.h"

namespace colour {

cg::Color fromHSBA(double hue, double saturation, double brightness, double alpha) {
    const double h = std::isfinite(hue) ? hue - std::floor(hue) : 0;
    const double s = detail::clampUnit(saturation, 0);
    const double v = detail::clampUnit(brightness, 0);
    const double a = detail::clampUnit(alpha, 1);

    const double scaled = h * 6;
    const int sector = std::min(static_cast<int>(scaled), 5);
    const double f = scaled - sector;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (sector) {
        case 0:
            return detail::makeRGBA(v, t, p, a);
        case 1:
            return detail::makeRGBA(q, v, p, a);
        case 2:
            return detail::makeRGBA(p, v, t, a);
        case 3:
            return detail::makeRGBA(p, q, v, a);
        case 4:
            return detail::makeRGBA(t, p, v, a);
        default:
            return detail::makeRGBA(v, p, q, a);
    }
}

HSBA hsba(const cg::Color& c) {
    const RGBA v = rgba(c);
    const double high = std::max({v.red, v.green, v.blue});
    const double low = std::min({v.red, v.green, v.blue});
    const double spread = high - low;
    const double saturation = high > 0 ? spread / high : 0;
    double hue = 0;
    if (spread > 0) {
        if (high == v.red)
            hue = (v.green - v.blue) / spread;
        else if (high == v.green)
            hue = 2 + (v.blue - v.red) / spread;
        else
            hue = 4 + (v.red - v.green) / spread;
        hue /= 6;
        if (hue < 0) hue += 1;
    }
    return {hue, saturation, high, v.alpha};
}

HSBA hsbaComponents(const cg::Color& c) {
    return hsba(c);
}
double hueValue(const cg::Color& c) {
    return hsba(c).hue;
}
double saturationValue(const cg::Color& c) {
    return hsba(c).saturation;
}
double brightnessValue(const cg::Color& c) {
    return hsba(c).brightness;
}

}  // namespace colour
