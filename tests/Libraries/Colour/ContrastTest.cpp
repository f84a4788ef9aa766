#include <gtest/gtest.h>

#include <limits>

#include "Libraries/Colour/Contrast.h"
#include "Libraries/Colour/HexText.h"

using namespace colour;

TEST(ColourContrast, LightnessTestAndBlackOrWhiteText) {
    EXPECT_TRUE(isLight(cg::Color::whiteColor()));
    EXPECT_FALSE(isLight(cg::Color::black()));
    EXPECT_TRUE(isLight(cg::Color::white(0.6)));   // the weights sum to 1
    EXPECT_FALSE(isLight(cg::Color::white(0.5)));  // not greater than 0.5
    EXPECT_FALSE(isLight({std::numeric_limits<double>::quiet_NaN(), 1, 1, 1}));

    EXPECT_EQ(contrastColor(cg::Color::whiteColor()), cg::Color::black());
    EXPECT_EQ(contrastColor(cg::Color::black()), cg::Color::whiteColor());
    EXPECT_EQ(contrastColor(cg::Color::white(0.6)), cg::Color::whiteColor());  // v is exactly 0.4
    EXPECT_EQ(contrastColorAtHalf(cg::Color::white(0.6)), cg::Color::black());
    EXPECT_EQ(contrastColorAtHalf(cg::Color::white(0.4)), cg::Color::whiteColor());
    EXPECT_EQ(contrastColor(cg::Color::whiteColor(), 0.3), (cg::Color{0, 0, 0, 0.3}));
    EXPECT_EQ(contrastColor(cg::Color::black(), 0.3), (cg::Color{1, 1, 1, 0.3}));
    EXPECT_EQ(contrastColor(cg::Color::black(), std::numeric_limits<double>::quiet_NaN()).alpha, 1);
    // A colour holding NaN reads as black, so it gets white text.
    EXPECT_EQ(contrastColor({std::numeric_limits<double>::quiet_NaN(), 0, 0, 1}), cg::Color::whiteColor());
    EXPECT_EQ(defaultTextColor(), cg::Color::black());
}

TEST(ColourContrast, WcagRatiosOfKnownPairs) {
    EXPECT_NEAR(contrastRatio(cg::Color::black(), cg::Color::whiteColor()), 21, 1e-9);
    EXPECT_NEAR(contrastRatio(cg::Color::whiteColor(), cg::Color::black()), 21, 1e-9);
    EXPECT_EQ(contrastRatio(*fromHexString("#777777"), *fromHexString("#777777")), 1);
    EXPECT_NEAR(contrastRatio(*fromHexString("#767676"), cg::Color::whiteColor()), 4.54, 0.005);
    EXPECT_NEAR(contrastRatio(*fromHexString("#777777"), cg::Color::whiteColor()), 4.48, 0.005);
    EXPECT_NEAR(contrastRatio(*fromHexString("#FF0000"), cg::Color::whiteColor()), 4.00, 0.005);
    EXPECT_NEAR(contrastRatio(*fromHexString("#0000FF"), cg::Color::whiteColor()), 8.59, 0.005);
    // Out-of-range channels cannot push the ratio past its bounds or into a division by zero.
    EXPECT_NEAR(contrastRatio({-5, -5, -5, 1}, {9, 9, 9, 1}), 21, 1e-9);
}
