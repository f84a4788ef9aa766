#include "Libraries/Colour/Components.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace colour {

RGBA rgba(const cg::Color& c) {
    if (!std::isfinite(c.red) || !std::isfinite(c.green) || !std::isfinite(c.blue) || !std::isfinite(c.alpha))
        return {0, 0, 0, 1};
    return {c.red, c.green, c.blue, c.alpha};
}

std::array<double, 4> rgbaComponents(const cg::Color& c) {
    const RGBA v = rgba(c);
    return {v.red, v.green, v.blue, v.alpha};
}

RGB rgb(const cg::Color& c) {
    const RGBA v = rgba(c);
    return {v.red, v.green, v.blue};
}

int eightBitValue(double component) {
    if (std::isnan(component)) return 0;
    const double scaled = std::trunc(component * 255);
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(scaled, lowest, highest));
}

RGB255 rgb255(const cg::Color& c) {
    const RGBA v = rgba(c);
    return {eightBitValue(v.red), eightBitValue(v.green), eightBitValue(v.blue)};
}

std::array<int, 4> rgba255(const cg::Color& c) {
    const RGBA v = rgba(c);
    return {eightBitValue(v.red), eightBitValue(v.green), eightBitValue(v.blue), eightBitValue(v.alpha)};
}

double redValue(const cg::Color& c) {
    return rgba(c).red;
}
double greenValue(const cg::Color& c) {
    return rgba(c).green;
}
double blueValue(const cg::Color& c) {
    return rgba(c).blue;
}
double cgAlpha(const cg::Color& c) {
    return rgba(c).alpha;
}

cg::Color coreImageColor(const cg::Color& c) {
    const RGBA v = rgba(c);
    return {v.red, v.green, v.blue, v.alpha};
}

}  // namespace colour
