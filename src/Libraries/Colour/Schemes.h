#pragma once
// Four-colour schemes derived from one colour by hue, saturation and brightness steps, and the small
// enumerations that name colour schemes, models, difference formulas and comparison criteria. Pure
// functions, any thread.

#include <array>
#include <optional>

#include "Platform/Graphics/Color.h"

namespace colour {

enum class ColorScheme { Analagous = 0, Monochromatic = 1, Triad = 2, Complementary = 3 };
enum class ColorFormulation { RGBA = 0, HSBA = 1, LAB = 2, CMYK = 3 };
enum class ColorDistance { CIE76 = 0, CIE94 = 1, CIE2000 = 2 };
enum class ColorComparison {
    Darkness = 0,
    Lightness = 1,
    Desaturated = 2,
    Saturated = 3,
    Red = 4,
    Green = 5,
    Blue = 6
};

// The case of a raw value; none outside the listed cases.
std::optional<ColorScheme> colorSchemeFromRawValue(int rawValue);
std::optional<ColorFormulation> colorFormulationFromRawValue(int rawValue);
std::optional<ColorDistance> colorDistanceFromRawValue(int rawValue);
std::optional<ColorComparison> colorComparisonFromRawValue(int rawValue);

using Scheme = std::array<cg::Color, 4>;

// The scheme of the colour's own hue, saturation, brightness and alpha.
Scheme colorScheme(const cg::Color& c, ColorScheme type);

// Hue turns are in degrees: d = 360 h + delta, less 360 above 360, and a negative d is mirrored (-d), not
// wrapped. Saturation and brightness steps are handed to the HSB model, which limits them to 0...1.
Scheme analogousColors(double hue, double saturation, double brightness, double alpha);
Scheme monochromaticColors(double hue, double saturation, double brightness, double alpha);
Scheme triadColors(double hue, double saturation, double brightness, double alpha);
Scheme complementaryColors(double hue, double saturation, double brightness, double alpha);

}  // namespace colour
