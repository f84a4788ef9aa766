#include "FilterTestImages.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace filtertest;

namespace {

// A 64-step identity cube in 8 x 8 tiles of 64 x 64: red across a tile, green down, blue by tile.
vips::VImage identityTable() {
    std::vector<unsigned char> pixels(512 * 512 * 3);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const int blue = (y / 64) * 8 + x / 64;
            unsigned char* p = &pixels[(size_t(y) * 512 + x) * 3];
            p[0] = (unsigned char)std::lround((x % 64) * 255.0 / 63);
            p[1] = (unsigned char)std::lround((y % 64) * 255.0 / 63);
            p[2] = (unsigned char)std::lround(blue * 255.0 / 63);
        }
    // A copy: an image over borrowed memory would outlive `pixels`.
    return vips::VImage(
        vips_image_new_from_memory_copy(pixels.data(), pixels.size(), 512, 512, 3, VIPS_FORMAT_UCHAR));
}

// The spread of the fine detail: the image less a blurred copy of itself.
double localContrast(const vips::VImage& image) {
    const vips::VImage grey = image.extract_band(0).cast(VIPS_FORMAT_FLOAT);
    return (grey - grey.gaussblur(3)).extract_area(8, 8, grey.width() - 16, grey.height() - 16).deviate();
}

}  // namespace

TEST(LookupAndContrast, AnIdentityLookupTableChangesNothingAndTheBundledTableGivesALook) {
    const vips::VImage photo = noisy(64, 64, 128, 70);
    const auto same =
        run("YUCIColorLookup", photo, {{"inputColorLookupTable", image::fromVips(identityTable())}});
    ASSERT_TRUE(same);
    EXPECT_LE(maxDifference(*same, photo), 1);

    const auto looked = run("YUCIColorLookup", photo);
    ASSERT_TRUE(looked) << "the application's lookup table is missing";
    EXPECT_GT(maxDifference(*looked, photo), 5);
    // A table that is no cube of tiles gives nothing.
    EXPECT_FALSE(
        run("YUCIColorLookup", photo, {{"inputColorLookupTable", image::fromVips(noisy(50, 30, 0, 0))}}));
}

TEST(LookupAndContrast, TheToneCurveLiftsMidGreyTowardsSevenTenths) {
    const auto out = run("YUCIRGBToneCurve", noisy(8, 8, 128, 0));
    EXPECT_NEAR(at(*out, 4, 4)[0], 0.7 * 255, 2);
    EXPECT_EQ(at(*run("YUCIRGBToneCurve", noisy(8, 8, 0, 0)), 1, 1)[0], 0);
    EXPECT_EQ(at(*run("YUCIRGBToneCurve", noisy(8, 8, 255, 0)), 1, 1)[0], 255);
}

TEST(LookupAndContrast, HistogramEqualisationSpreadsANarrowHistogramOverTheRange) {
    const vips::VImage narrow = noisy(128, 128, 120, 8);
    ASSERT_LT(percentile(narrow, 0.99) - percentile(narrow, 0.01), 50);
    const auto out = run("YUCIHistogramEqualization", narrow);
    EXPECT_GT(percentile(*out, 0.99) - percentile(*out, 0.01), 0.9 * 255);
}

TEST(LookupAndContrast, ClaheRaisesLocalContrastAndKeepsGreyGrey) {
    // A faint texture whose brightness drifts across the image.
    const vips::VImage texture = vips::VImage::gaussnoise(
        128, 128, vips::VImage::option()->set("sigma", 3.0)->set("mean", 0.0)->set("seed", 5));
    const vips::VImage drift =
        vips::VImage::xyz(128, 128).extract_band(0).cast(VIPS_FORMAT_FLOAT) * 0.8 + 60.0;
    const vips::VImage grey = texture + drift;
    const vips::VImage photo = (vips::VImage::bandjoin({grey, grey, grey}) + 0.5).cast(VIPS_FORMAT_UCHAR);
    const auto out = run("YUCICLAHE", photo);
    ASSERT_TRUE(out);
    EXPECT_GT(localContrast(*out), 1.5 * localContrast(photo));
    EXPECT_EQ(maxDifference(out->extract_band(0), out->extract_band(2)), 0);
}
