#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Libraries/Colour/CMYK.h"
#include "Libraries/Colour/Components.h"
#include "Libraries/Colour/HSB.h"
#include "Libraries/Colour/Lab.h"

using namespace colour;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A sweep over the RGB cube, 9 steps a side, including both ends and byte values.
template <typename F>
void forSweep(F check) {
    for (int r = 0; r <= 8; ++r)
        for (int g = 0; g <= 8; ++g)
            for (int b = 0; b <= 8; ++b)
                check(cg::Color{std::min(r * 32, 255) / 255.0, std::min(g * 32, 255) / 255.0,
                                std::min(b * 32, 255) / 255.0, 1});
}

void expectNear(const cg::Color& a, const cg::Color& b, double tolerance) {
    EXPECT_NEAR(a.red, b.red, tolerance);
    EXPECT_NEAR(a.green, b.green, tolerance);
    EXPECT_NEAR(a.blue, b.blue, tolerance);
    EXPECT_NEAR(a.alpha, b.alpha, tolerance);
}

}  // namespace

TEST(ColourHSB, RoundTripsOverASweepAndReadsGreysWithoutNaN) {
    forSweep([](const cg::Color& c) {
        const HSBA v = hsba(c);
        expectNear(fromHSBA(v.hue, v.saturation, v.brightness, v.alpha), c, 1e-12);
    });
    EXPECT_EQ(hsba(cg::Color::black()), (HSBA{0, 0, 0, 1}));
    EXPECT_EQ(hsba(cg::Color::white(0.6, 0.5)), (HSBA{0, 0, 0.6, 0.5}));
    EXPECT_EQ(hsbaComponents({0, 0, 1, 1}), hsba({0, 0, 1, 1}));
    EXPECT_NEAR(hueValue({0, 0, 1, 1}), 4.0 / 6, 1e-15);
    EXPECT_NEAR(hueValue({1, 0, 0.5, 1}), 1 - 0.5 / 6, 1e-15);
    EXPECT_EQ(saturationValue({1, 0.5, 0.5, 1}), 0.5);
    EXPECT_EQ(brightnessValue({0.2, 0.7, 0.5, 1}), 0.7);
}

TEST(ColourHSB, ConstructorWrapsHueAndLimitsTheRest) {
    expectNear(fromHSBA(0, 1, 1, 1), {1, 0, 0, 1}, 1e-15);
    expectNear(fromHSBA(1.0, 1, 1, 1), {1, 0, 0, 1}, 1e-15);  // a full turn is red again
    expectNear(fromHSBA(0.5, 1, 1, 0.5), {0, 1, 1, 0.5}, 1e-15);
    expectNear(fromHSBA(1.5, 1, 1, 1), {0, 1, 1, 1}, 1e-15);
    expectNear(fromHSBA(-0.25, 1, 1, 1), fromHSBA(0.75, 1, 1, 1), 1e-15);
    expectNear(fromHSBA(0.3, -0.03, 1.2, 2), {1, 1, 1, 1}, 0);
    expectNear(fromHSBA(NaN, NaN, NaN, NaN), {0, 0, 0, 1}, 0);
}

TEST(ColourLab, PublishedSrgbToLabValuesUnderD65) {
    struct Reference {
        cg::Color rgb;
        double L, a, b;
    };
    const Reference references[] = {
        {{1, 1, 1, 1}, 100, 0, 0},
        {{0, 0, 0, 1}, 0, 0, 0},
        {{1, 0, 0, 1}, 53.2408, 80.0925, 67.2032},
        {{0, 1, 0, 1}, 87.7347, -86.1827, 83.1793},
        {{0, 0, 1, 1}, 32.2970, 79.1875, -107.8602},
        {{1, 1, 0, 1}, 97.1393, -21.5537, 94.4780},
        {{0, 1, 1, 1}, 91.1132, -48.0875, -14.1312},
        {{1, 0, 1, 1}, 60.3242, 98.2343, -60.8249},
    };
    for (const Reference& ref : references) {
        const Lab v = lab(ref.rgb);
        EXPECT_NEAR(v.L, ref.L, 0.01);
        EXPECT_NEAR(v.a, ref.a, 0.01);
        EXPECT_NEAR(v.b, ref.b, 0.01);
        EXPECT_EQ(labL(ref.rgb), v.L);
        EXPECT_EQ(labA(ref.rgb), v.a);
        expectNear(fromLab(ref.L, ref.a, ref.b, 1), ref.rgb, 1.0 / 255);
    }
    const XYZ white = xyz({1, 1, 1, 1});
    EXPECT_NEAR(white.x, 0.95047, 1e-5);
    EXPECT_NEAR(white.y, 1, 1e-5);
    EXPECT_NEAR(white.z, 1.08883, 1e-5);
    expectNear(fromLab(0, 0, 0, 0.5), {0, 0, 0, 0.5}, 1e-12);
}

TEST(ColourLab, RoundTripsWithinOneByteAndSurvivesBadInput) {
    forSweep([](const cg::Color& c) {
        const Lab v = lab(c);
        expectNear(fromLab(v.L, v.a, v.b, 1), c, 1.0 / 255);
    });
    // Out-of-gamut Lab gives extended components, never NaN.
    const cg::Color outside = fromLab(50, 120, -120, 1);
    EXPECT_TRUE(std::isfinite(outside.red) && std::isfinite(outside.green) && std::isfinite(outside.blue));
    EXPECT_LT(outside.green, 0);
    expectNear(fromLab(NaN, 0, 0, NaN), {0, 0, 0, 1}, 0);
    // Extended channels are linearised without a NaN.
    EXPECT_TRUE(std::isfinite(lab({-0.3, 0.18, 1.2, 1}).L));
}

TEST(ColourCMYK, DeviceFormulaBothWays) {
    EXPECT_EQ(cmyk(cg::Color::black()), (CMYK{0, 0, 0, 1}));
    EXPECT_EQ(cmyk(cg::Color::whiteColor()), (CMYK{0, 0, 0, 0}));
    EXPECT_EQ(cmyk({1, 0, 0, 1}), (CMYK{0, 1, 1, 0}));
    const cg::Color c{0.2, 0.4, 0.8, 1};
    const CMYK v = cmyk(c);
    EXPECT_NEAR(v.key, 0.2, 1e-15);
    EXPECT_NEAR(v.cyan, 0.75, 1e-15);
    EXPECT_NEAR(v.magenta, 0.5, 1e-15);
    EXPECT_NEAR(v.yellow, 0, 1e-15);
    EXPECT_EQ(cyanValue(c), v.cyan);
    EXPECT_EQ(magentaValue(c), v.magenta);
    EXPECT_EQ(yellowValue(c), v.yellow);
    EXPECT_EQ(keyValue(c), v.key);
    forSweep([](const cg::Color& c) {
        const CMYK v = cmyk(c);
        expectNear(fromCMYK(v.cyan, v.magenta, v.yellow, v.key), c, 1e-12);
    });
    EXPECT_EQ(fromCMYK(0, 0, 0, 1), cg::Color::black());
    EXPECT_EQ(cmyk({NaN, 0, 0, 1}), (CMYK{0, 0, 0, 1}));  // unreadable colours read as black
}
