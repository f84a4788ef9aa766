#include "Libraries/Colour/CMYK.h"

#include <algorithm>

#include "Libraries/Colour/ComponentGuard.h"
#include "Libraries/Colour/Components.h"

namespace colour {

cg::Color fromCMYK(double cyan, double magenta, double yellow, double key) {
    const auto channel = [key](double x) { return 1 - (x * (1 - key) + key); };
    return detail::makeRGBA(channel(cyan), channel(magenta), channel(yellow), 1);
}

CMYK cmyk(const cg::Color& c) {
    const RGBA v = rgba(c);
    const double key = std::min({1 - v.red, 1 - v.green, 1 - v.blue, 1.0});
    if (key == 1) return {0, 0, 0, 1};
    return {(1 - v.red - key) / (1 - key), (1 - v.green - key) / (1 - key), (1 - v.blue - key) / (1 - key),
            key};
}

double cyanValue(const cg::Color& c) {
    return cmyk(c).cyan;
}
double magentaValue(const cg::Color& c) {
    return cmyk(c).magenta;
}
double yellowValue(const cg::Color& c) {
    return cmyk(c).yellow;
}
double keyValue(const cg::Color& c) {
    return cmyk(c).key;
}

}  // namespace colour
