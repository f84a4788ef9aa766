#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Libraries/Colour/Adjustment.h"
#include "Libraries/Colour/HSB.h"

using namespace colour;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

void expectNear(const cg::Color& a, const cg::Color& b, double tolerance = 1e-12) {
    EXPECT_NEAR(a.red, b.red, tolerance);
    EXPECT_NEAR(a.green, b.green, tolerance);
    EXPECT_NEAR(a.blue, b.blue, tolerance);
    EXPECT_NEAR(a.alpha, b.alpha, tolerance);
}

bool finite(const cg::Color& c) {
    return std::isfinite(c.red) && std::isfinite(c.green) && std::isfinite(c.blue) && std::isfinite(c.alpha);
}

}  // namespace

TEST(ColourBlend, WeightsMixOrPickOneColourAndNeverDivideIntoNaN) {
    const cg::Color first{1, 0, 0.4, 1};
    const cg::Color second{0, 1, 0.8, 0.2};
    expectNear(blend(first, 1, second, 3), {0.25, 0.75, 0.7, 0.4});
    EXPECT_EQ(blend(first, 0, second, 1), second);
    EXPECT_EQ(blend(first, 1, second, 0), first);
    EXPECT_EQ(blend(first, 0, second, 0), second);  // 0 / 0: the second colour
    EXPECT_EQ(blend(first, 1, second, -1), first);  // x / 0
    EXPECT_EQ(blend(first, NaN, second, 1), second);
    EXPECT_EQ(blend(first, 1, cg::Color{NaN, 0, 0, 1}, 0), first);
    EXPECT_TRUE(finite(blend(first, 1, cg::Color{NaN, 0, 0, 1}, 1)));
    EXPECT_TRUE(finite(blend(cg::Color{NaN, NaN, NaN, NaN}, 0, first, 0)));
}

TEST(ColourAdjustment, AddingAndSubtractingKeepAlphaLighterAndDarkerDoNot) {
    const cg::Color c{0.9, 0.5, 0.1, 0.5};
    expectNear(adding(c, 0.2), {1.0, 0.7, 0.3, 0.5});
    expectNear(subtracting(c, 0.2), {0.7, 0.3, 0, 0.5});
    expectNear(lighter(c, 0.2), {1.0, 0.7, 0.3, 1});
    expectNear(darker({0.1, 0.5, 0.9, 0.3}, 0.2), {0, 0.3, 0.7, 1});
    EXPECT_EQ(adding(c, NaN), c);
    EXPECT_EQ(subtracting(c, std::numeric_limits<double>::infinity()), c);
    expectNear(replacingAlpha(c, 0.25), {0.9, 0.5, 0.1, 0.25});
    EXPECT_EQ(replacingAlpha(c, NaN).alpha, 1);
}

TEST(ColourAdjustment, BrightnessAndAlphaChangeInHsb) {
    const cg::Color c = fromHSBA(0.6, 0.5, 0.8, 0.5);
    const HSBA up = hsba(brightened(c, 0.1));
    EXPECT_NEAR(up.brightness, 0.88, 1e-12);
    EXPECT_NEAR(up.hue, 0.6, 1e-12);
    EXPECT_NEAR(up.saturation, 0.5, 1e-12);
    EXPECT_NEAR(hsba(brightened(c, 0.5)).brightness, 1, 1e-12);  // 1.2 is limited by the model
    EXPECT_NEAR(hsba(dimmed(c, 0.25)).brightness, 0.6, 1e-12);
    const HSBA both = hsba(brightened(c, 0.1, 0.5));
    EXPECT_NEAR(both.brightness, 0.88, 1e-12);
    EXPECT_NEAR(both.alpha, 0.25, 1e-12);
    EXPECT_NEAR(hsba(dimmed(c, 0.5, 2)).alpha, 1, 1e-12);
    EXPECT_NEAR(hsba(dimmed(c, 0.5, 2)).brightness, 0.4, 1e-12);
    expectNear(alphaScaled(c, 0.5), c.withAlpha(0.25));
    expectNear(alphaScaled(c, NaN), c);
}

TEST(ColourAdjustment, ComplementaryAndCircularInverse) {
    EXPECT_NEAR(hueValue(complementary({1, 0, 0, 1})), 0.5, 1e-12);
    expectNear(complementary({1, 0, 0, 0.5}), {0, 1, 1, 0.5});
    EXPECT_NEAR(hueValue(complementary(fromHSBA(0.75, 1, 1, 1))), 0.25, 1e-12);

    EXPECT_EQ(circularInverse(cg::Color::black()), cg::Color::whiteColor());
    EXPECT_EQ(circularInverse(cg::Color::white(1, 0.5)), cg::Color::black());
    EXPECT_EQ(circularInverse(cg::Color::white(0.6, 0.3)), (cg::Color{0.8, 0.8, 0.8, 1}));
    expectNear(circularInverseOf({0.5, 0, 1, 0}), {std::sqrt(0.75), 1, 0, 1}, 1e-15);
    // Extended channels are taken at the nearer end of 0...1: no root of a negative number.
    EXPECT_EQ(circularInverse({1.5, -0.5, 0, 1}), (cg::Color{0, 1, 1, 1}));
}
