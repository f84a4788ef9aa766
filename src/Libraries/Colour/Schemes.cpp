#include "Libraries/Colour/Schemes.h"

#include "Libraries/Colour/HSB.h"

namespace colour {
namespace {

template <typename E>
std::optional<E> caseOf(int rawValue, int caseCount) {
    if (rawValue < 0 || rawValue >= caseCount) return std::nullopt;
    return static_cast<E>(rawValue);
}

double hueShifted(double hue, double delta) {
    double d = hue * 360 + delta;
    if (d > 360)
        d -= 360;
    else if (d < 0)
        d = -d;
    return d / 360;
}

}  // namespace

std::optional<ColorScheme> colorSchemeFromRawValue(int rawValue) {
    return caseOf<ColorScheme>(rawValue, 4);
}
std::optional<ColorFormulation> colorFormulationFromRawValue(int rawValue) {
    return caseOf<ColorFormulation>(rawValue, 4);
}
std::optional<ColorDistance> colorDistanceFromRawValue(int rawValue) {
    return caseOf<ColorDistance>(rawValue, 3);
}
std::optional<ColorComparison> colorComparisonFromRawValue(int rawValue) {
    return caseOf<ColorComparison>(rawValue, 7);
}

Scheme colorScheme(const cg::Color& c, ColorScheme type) {
    const HSBA v = hsba(c);
    switch (type) {
        case ColorScheme::Analagous:
            return analogousColors(v.hue, v.saturation, v.brightness, v.alpha);
        case ColorScheme::Monochromatic:
            return monochromaticColors(v.hue, v.saturation, v.brightness, v.alpha);
        case ColorScheme::Triad:
            return triadColors(v.hue, v.saturation, v.brightness, v.alpha);
        case ColorScheme::Complementary:
            break;
    }
    return complementaryColors(v.hue, v.saturation, v.brightness, v.alpha);
}

Scheme analogousColors(double h, double s, double b, double a) {
    return {fromHSBA(hueShifted(h, 30), s - 0.05, b - 0.1, a),
            fromHSBA(hueShifted(h, 15), s - 0.05, b - 0.05, a),
            fromHSBA(hueShifted(h, -15), s - 0.05, b - 0.05, a),
            fromHSBA(hueShifted(h, -30), s - 0.05, b - 0.1, a)};
}

Scheme monochromaticColors(double h, double s, double b, double a) {
    return {fromHSBA(h, s * 0.5, b / 3, a), fromHSBA(h, s, b * 0.5, a), fromHSBA(h, s / 3, (b + b) / 3, a),
            fromHSBA(h, s, (4 * b) / 5, a)};
}

Scheme triadColors(double h, double s, double b, double a) {
    return {fromHSBA(hueShifted(h, 120), (s + s) / 3, b - 0.05, a), fromHSBA(hueShifted(h, 120), s, b, a),
            fromHSBA(hueShifted(h, 240), s, b, a), fromHSBA(hueShifted(h, 240), (s + s) / 3, b - 0.05, a)};
}

Scheme complementaryColors(double h, double s, double b, double a) {
    return {fromHSBA(h, s, (4 * b) / 5, a), fromHSBA(h, (5 * s) / 7, b, a),
            fromHSBA(hueShifted(h, 180), s, b, a), fromHSBA(hueShifted(h, 180), (5 * s) / 7, b, a)};
}

}  // namespace colour
