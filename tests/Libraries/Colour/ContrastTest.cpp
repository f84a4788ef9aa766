#include <gtest/gtest.h>

#include <limits>

#include "Libraries/Colour/Contrast.h"
#include "Libraries/Colour/HexText.h"
#include "Libraries/Colour/SpacedColour.h"

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
}

TEST(ColourContrast, DefaultTextIsTheLabelColourOfTheAppearance) {
    const cg::Color light = defaultTextColor(Appearance::light), dark = defaultTextColor(Appearance::dark);
    EXPECT_EQ(light, labelColor(Appearance::light));
    EXPECT_EQ(dark, labelColor(Appearance::dark));
    EXPECT_FALSE(isLight(light));
    EXPECT_TRUE(isLight(dark)) << "text on a dark desktop is light";
    EXPECT_NEAR(light.alpha, 0.85, 1e-9);
    EXPECT_NEAR(dark.alpha, 0.85, 1e-9);
    EXPECT_GT(contrastRatio(dark, cg::Color::black()), 15);
    EXPECT_GT(contrastRatio(light, cg::Color::whiteColor()), 15);
}

TEST(ColourContrast, MonochromeColoursExpandToThreeChannels) {
    using M = ColourSpaceModel;
    struct Case {
        SpacedColour colour;
        M target;
        SpacedColour expected;
    };
    const Case cases[] = {
        {{M::monochrome, {0.6, 0.5}}, M::rgb, {M::rgb, {0.6, 0.6, 0.6, 0.5}}},  // a grey
        {{M::rgb, {0.2, 0.4, 0.6, 1}}, M::rgb, {M::rgb, {0.2, 0.4, 0.6, 1}}},   // a colour stays
        {{M::cmyk, {0.1, 0.2, 0.3, 0.4, 1}}, M::rgb, {M::cmyk, {0.1, 0.2, 0.3, 0.4, 1}}},
        {{M::monochrome, {0.6, 0.5}}, M::cmyk, {M::monochrome, {0.6, 0.5}}},  // no room for (w, w, w)
    };
    for (const Case& c : cases) {
        const SpacedColour result = monochromeExpanded(c.colour, c.target);
        EXPECT_EQ(result, c.expected);
        // Expanding never changes what the screens read of a grey or an RGB colour.
        EXPECT_EQ(rgba(result), rgba(c.colour));
    }
    EXPECT_EQ(rgba(SpacedColour{M::monochrome, {0.6, 0.5}}), (RGBA{0.6, 0.6, 0.6, 0.5}));
    EXPECT_EQ(rgba(SpacedColour{M::cmyk, {0.1, 0.2, 0.3, 0.4, 1}}), (RGBA{0, 0, 0, 1}));
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
