#include "Libraries/Colour/Adjustment.h"

#include <algorithm>
#include <cmath>

#include "Libraries/Colour/ComponentGuard.h"
#include "Libraries/Colour/Components.h"
#include "Libraries/Colour/HSB.h"

namespace colour {

cg::Color blend(const cg::Color& first, double weight, const cg::Color& second, double otherWeight) {
    // Written as "not greater than" so that the NaN of two zero weights takes the second colour.
    const double w1 = weight / (weight + otherWeight);
    if (!(w1 > 0)) return detail::sanitized(second);
    const double w2 = otherWeight / (weight + otherWeight);
    if (!(w2 > 0)) return detail::sanitized(first);
    const auto a = rgbaComponents(first);
    const auto b = rgbaComponents(second);
    return detail::makeRGBA(w1 * a[0] + w2 * b[0], w1 * a[1] + w2 * b[1], w1 * a[2] + w2 * b[2],
                            w1 * cgAlpha(first) + w2 * cgAlpha(second));
}

namespace {

double raised(double c, double amount) {
    return std::min(c + amount, 1.0);
}
double lowered(double c, double amount) {
    return c - amount <= 0 ? 0 : c - amount;
}

cg::Color scaledInHSB(const cg::Color& c, double brightnessFactor, double alphaFactor) {
    const HSBA v = hsba(c);
    return fromHSBA(v.hue, v.saturation, v.brightness * brightnessFactor, v.alpha * alphaFactor);
}

}  // namespace

cg::Color adding(const cg::Color& c, double amount) {
    const RGBA v = rgba(c);
    const double d = detail::finiteAmount(amount, 0);
    return detail::makeRGBA(raised(v.red, d), raised(v.green, d), raised(v.blue, d), v.alpha);
}

cg::Color subtracting(const cg::Color& c, double amount) {
    const RGBA v = rgba(c);
    const double d = detail::finiteAmount(amount, 0);
    return detail::makeRGBA(lowered(v.red, d), lowered(v.green, d), lowered(v.blue, d), v.alpha);
}

cg::Color lighter(const cg::Color& c, double amount) {
    return adding(c, amount).withAlpha(1);
}

cg::Color darker(const cg::Color& c, double amount) {
    return subtracting(c, amount).withAlpha(1);
}

cg::Color brightened(const cg::Color& c, double x) {
    return brightened(c, x, 1);
}

cg::Color dimmed(const cg::Color& c, double x) {
    return dimmed(c, x, 1);
}

cg::Color brightened(const cg::Color& c, double x, double alphaFactor) {
    return scaledInHSB(c, 1 + detail::finiteAmount(x, 0), detail::finiteAmount(alphaFactor, 1));
}

cg::Color dimmed(const cg::Color& c, double x, double alphaFactor) {
    return scaledInHSB(c, 1 - detail::finiteAmount(x, 0), detail::finiteAmount(alphaFactor, 1));
}

cg::Color alphaScaled(const cg::Color& c, double x) {
    return scaledInHSB(c, 1, detail::finiteAmount(x, 1));
}

cg::Color replacingAlpha(const cg::Color& c, double alpha) {
    const RGBA v = rgba(c);
    return detail::makeRGBA(v.red, v.green, v.blue, alpha);
}

cg::Color complementary(const cg::Color& c) {
    const HSBA v = hsba(c);
    double d = v.hue * 360 + 180;
    if (d > 360)
        d -= 360;
    else if (d < 0)
        d = -d;
    return fromHSBA(d / 360, v.saturation, v.brightness, v.alpha);
}

cg::Color circularInverse(const cg::Color& c) {
    const RGBA v = rgba(c);
    const auto inverse = [](double channel) {
        const double scaled = 255 * std::clamp(channel, 0.0, 1.0);
        return std::sqrt(65025 - scaled * scaled) / 255;
    };
    return detail::makeRGBA(inverse(v.red), inverse(v.green), inverse(v.blue), 1);
}

cg::Color circularInverseOf(const cg::Color& c) {
    return circularInverse(c);
}

}  // namespace colour
