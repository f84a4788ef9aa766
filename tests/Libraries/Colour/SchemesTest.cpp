#include <gtest/gtest.h>

#include "Libraries/Colour/HSB.h"
#include "Libraries/Colour/Schemes.h"

using namespace colour;

namespace {

void expectHSBA(const cg::Color& c, double h, double s, double b, double a) {
    const HSBA v = hsba(c);
    EXPECT_NEAR(v.hue, h, 1e-9);
    EXPECT_NEAR(v.saturation, s, 1e-9);
    EXPECT_NEAR(v.brightness, b, 1e-9);
    EXPECT_NEAR(v.alpha, a, 1e-12);
}

}  // namespace

TEST(ColourSchemes, AnalogousHuesMirrorBelowZeroAndWrapAbove360) {
    const Scheme low = analogousColors(0.01, 0.8, 0.9, 0.7);
    expectHSBA(low[0], 33.6 / 360, 0.75, 0.8, 0.7);
    expectHSBA(low[1], 18.6 / 360, 0.75, 0.85, 0.7);
    expectHSBA(low[2], 11.4 / 360, 0.75, 0.85, 0.7);  // -11.4 degrees mirrored, not 348.6
    expectHSBA(low[3], 26.4 / 360, 0.75, 0.8, 0.7);

    const Scheme high = analogousColors(0.95, 0.8, 0.9, 1);
    expectHSBA(high[0], 12.0 / 360, 0.75, 0.8, 1);
    expectHSBA(high[1], 357.0 / 360, 0.75, 0.85, 1);

    // A saturation of 0.02 less 0.05 is limited to 0: a grey, not an inverted hue.
    const Scheme pale = analogousColors(0.3, 0.02, 0.9, 1);
    expectHSBA(pale[0], 0, 0, 0.8, 1);
}

TEST(ColourSchemes, MonochromaticTriadAndComplementaryMembers) {
    const Scheme mono = monochromaticColors(0.6, 0.9, 0.9, 0.5);
    expectHSBA(mono[0], 0.6, 0.45, 0.3, 0.5);
    expectHSBA(mono[1], 0.6, 0.9, 0.45, 0.5);
    expectHSBA(mono[2], 0.6, 0.3, 0.6, 0.5);
    expectHSBA(mono[3], 0.6, 0.9, 0.72, 0.5);

    const Scheme triad = triadColors(0.75, 0.6, 0.8, 1);
    expectHSBA(triad[0], 30.0 / 360, 0.4, 0.75, 1);
    expectHSBA(triad[1], 30.0 / 360, 0.6, 0.8, 1);
    expectHSBA(triad[2], 150.0 / 360, 0.6, 0.8, 1);
    expectHSBA(triad[3], 150.0 / 360, 0.4, 0.75, 1);

    // Hue 0.5 turned by 180 degrees is exactly 360: a full turn, red.
    const Scheme comp = complementaryColors(0.5, 0.7, 0.5, 1);
    expectHSBA(comp[0], 0.5, 0.7, 0.4, 1);
    expectHSBA(comp[1], 0.5, 0.5, 0.5, 1);
    expectHSBA(comp[2], 0, 0.7, 0.5, 1);
    expectHSBA(comp[3], 0, 0.5, 0.5, 1);
}

TEST(ColourSchemes, SchemeOfAColourUsesItsOwnHsbAndTheEnumerationsHaveTheirCases) {
    const cg::Color c = fromHSBA(0.6, 0.9, 0.9, 0.5);
    const HSBA v = hsba(c);
    EXPECT_EQ(colorScheme(c, ColorScheme::Monochromatic),
              monochromaticColors(v.hue, v.saturation, v.brightness, v.alpha));
    EXPECT_EQ(colorScheme(c, ColorScheme::Analagous),
              analogousColors(v.hue, v.saturation, v.brightness, v.alpha));
    EXPECT_EQ(colorScheme(c, ColorScheme::Triad), triadColors(v.hue, v.saturation, v.brightness, v.alpha));
    EXPECT_EQ(colorScheme(c, ColorScheme::Complementary),
              complementaryColors(v.hue, v.saturation, v.brightness, v.alpha));

    EXPECT_EQ(colorSchemeFromRawValue(0), ColorScheme::Analagous);
    EXPECT_EQ(colorSchemeFromRawValue(3), ColorScheme::Complementary);
    EXPECT_FALSE(colorSchemeFromRawValue(4));
    EXPECT_FALSE(colorSchemeFromRawValue(-1));
    EXPECT_EQ(colorFormulationFromRawValue(3), ColorFormulation::CMYK);
    EXPECT_FALSE(colorFormulationFromRawValue(4));
    EXPECT_EQ(colorDistanceFromRawValue(2), ColorDistance::CIE2000);
    EXPECT_FALSE(colorDistanceFromRawValue(3));
    EXPECT_EQ(colorComparisonFromRawValue(6), ColorComparison::Blue);
    EXPECT_FALSE(colorComparisonFromRawValue(7));
}
