#include "Libraries/Colour/Contrast.h"

#include <algorithm>
#include <cmath>

#include "Libraries/Colour/ComponentGuard.h"
#include "Libraries/Colour/Components.h"

namespace colour {
namespace {

double darkness(const cg::Color& c) {
    const RGBA v = rgba(c);
    return 1 - (0.299 * v.red + 0.587 * v.green + 0.114 * v.blue);
}

double linearChannel(double c) {
    const double x = std::clamp(c, 0.0, 1.0);
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
}

}  // namespace

bool isLight(const cg::Color& c) {
    const RGBA v = rgba(c);
    return (299 * v.red + 587 * v.green + 114 * v.blue) / 1000 > 0.5;
}

cg::Color contrastColor(const cg::Color& c) {
    return darkness(c) < 0.4 ? cg::Color::black() : cg::Color::whiteColor();
}

cg::Color contrastColor(const cg::Color& c, double alpha) {
    const double a = detail::finiteComponent(alpha, 1);
    return darkness(c) < 0.4 ? cg::Color{0, 0, 0, a} : cg::Color{1, 1, 1, a};
}

cg::Color contrastColorAtHalf(const cg::Color& c) {
    return darkness(c) < 0.5 ? cg::Color::black() : cg::Color::whiteColor();
}

cg::Color labelColor(Appearance appearance) {
    return appearance == Appearance::dark ? cg::Color{1, 1, 1, 0.85} : cg::Color{0, 0, 0, 0.85};
}

cg::Color defaultTextColor(Appearance appearance) {
    return labelColor(appearance);
}

double relativeLuminance(const cg::Color& c) {
    const RGBA v = rgba(c);
    return 0.2126 * linearChannel(v.red) + 0.7152 * linearChannel(v.green) + 0.0722 * linearChannel(v.blue);
}

double contrastRatio(const cg::Color& first, const cg::Color& second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace colour
