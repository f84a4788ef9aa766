#include "FilterTestImages.h"

#include <gtest/gtest.h>

#include <set>

using namespace filtertest;

namespace {

// A 64 x 64 image of many different colours.
vips::VImage colourful() {
    return noisy(64, 64, 128, 70, 21);
}

std::set<int> levelsOf(const vips::VImage& image, int band) {
    const vips::VImage histogram = image.extract_band(band).hist_find();
    std::set<int> levels;
    for (int i = 0; i < 256; ++i)
        if (histogram.getpoint(i, 0)[0] > 0) levels.insert(i);
    return levels;
}

bool isGrey(const vips::VImage& image) {
    return maxDifference(image.extract_band(0), image.extract_band(1)) == 0 &&
           maxDifference(image.extract_band(1), image.extract_band(2)) == 0;
}

}  // namespace

TEST(ColourEffects, InvertTwiceGivesTheImageBackAndPosterizeKeepsAtMostItsLevels) {
    const auto once = run("CIColorInvert", colourful());
    ASSERT_TRUE(once);
    EXPECT_GT(maxDifference(*once, colourful()), 100);
    const auto twice = run("CIColorInvert", *once);
    EXPECT_EQ(maxDifference(*twice, colourful()), 0);

    const auto posterized = run("CIColorPosterize", colourful());
    for (int band = 0; band < 3; ++band) EXPECT_LE(levelsOf(*posterized, band).size(), 6u);
    const auto three = run("CIColorPosterize", colourful(), {{"inputLevels", 3.0}});
    EXPECT_EQ(levelsOf(*three, 0), (std::set<int>{0, 128, 255}));
}

TEST(ColourEffects, TheMonochromeFamilyIsGreyOrTakesItsTintsHue) {
    for (const char* name :
         {"CIPhotoEffectMono", "CIPhotoEffectNoir", "CIPhotoEffectTonal", "CIMinimumComponent"}) {
        const auto out = run(name, colourful());
        ASSERT_TRUE(out) << name;
        EXPECT_TRUE(isGrey(*out)) << name;
    }
    // The minimum component of (200, 90, 150) is 90.
    const auto minimum =
        run("CIMinimumComponent", noisy(4, 4, 0, 0).new_from_image({200, 90, 150}).cast(VIPS_FORMAT_UCHAR));
    EXPECT_EQ(at(*minimum, 1, 1), (std::vector<double>{90, 90, 90}));

    // Noir has more contrast than Tonal on the same mid-grey ramp.
    const auto ramp = step(64, 8, 90, 165);
    const auto noir = run("CIPhotoEffectNoir", ramp), tonal = run("CIPhotoEffectTonal", ramp);
    EXPECT_GT(at(*noir, 60, 4)[0] - at(*noir, 2, 4)[0], at(*tonal, 60, 4)[0] - at(*tonal, 2, 4)[0] + 20);

    const vips::VImage grey = noisy(8, 8, 128, 0);
    const auto brown = at(*run("CIColorMonochrome", grey), 4, 4);
    EXPECT_GT(brown[0], brown[1]);
    EXPECT_GT(brown[1], brown[2]);
    const auto blue =
        at(*run("CIColorMonochrome", grey, {{"inputColor", std::vector<double>{0.1, 0.3, 0.9}}}), 4, 4);
    EXPECT_GT(blue[2], blue[1]);
    EXPECT_GT(blue[1], blue[0]);
}

TEST(ColourEffects, SepiaTonesGreyIntoBrownAndFalseColorMapsDarkAndLightToItsTwoColours) {
    const auto sepia = at(*run("CISepiaTone", noisy(8, 8, 128, 0)), 4, 4);
    EXPECT_GT(sepia[0], sepia[1] + 10);
    EXPECT_GT(sepia[1], sepia[2] + 10);
    const auto none = run("CISepiaTone", colourful(), {{"inputIntensity", 0.0}});
    EXPECT_LE(maxDifference(*none, colourful()), 1);

    const auto dark = at(*run("CIFalseColor", noisy(4, 4, 0, 0)), 1, 1);
    const auto light = at(*run("CIFalseColor", noisy(4, 4, 255, 0)), 1, 1);
    EXPECT_NEAR(dark[0], 0.3 * 255, 1);
    EXPECT_EQ(dark[1], 0);
    EXPECT_NEAR(light[1], 0.9 * 255, 1);
    EXPECT_NEAR(light[2], 0.8 * 255, 1);
}

TEST(ColourEffects, DefaultCubesAndPolynomialAndVignetteAtRestChangeNothing) {
    for (const char* name :
         {"CIColorCube", "CIColorCubeWithColorSpace", "CIColorCrossPolynomial", "CIVignette"}) {
        const auto out = run(name, colourful());
        ASSERT_TRUE(out) << name;
        EXPECT_LE(maxDifference(*out, colourful()), 1) << name;
    }
    // A cube that swaps red and blue.
    std::vector<double> swap;
    for (int b = 0; b < 2; ++b)
        for (int g = 0; g < 2; ++g)
            for (int r = 0; r < 2; ++r) swap.insert(swap.end(), {double(b), double(g), double(r), 1});
    const auto swapped = run("CIColorCube", colourful(), {{"inputCubeData", swap}});
    EXPECT_LE(maxDifference(swapped->extract_band(0), colourful().extract_band(2)), 1);
    // A cube whose data does not match its dimension gives nothing.
    EXPECT_FALSE(run("CIColorCube", colourful(), {{"inputCubeDimension", 3.0}}));
}

TEST(ColourEffects, VignetteEffectDarkensFarFromItsCentreOnly) {
    // The centre (150, 150) counts from the bottom-left corner.
    const vips::VImage white = noisy(400, 400, 255, 0);
    const auto out = run("CIVignetteEffect", white);
    EXPECT_EQ(at(*out, 150, 400 - 150)[0], 255);
    EXPECT_LT(at(*out, 390, 10)[0], 10);
}
