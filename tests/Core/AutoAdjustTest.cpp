#include "Core/Effects/AutoAdjust.h"
#include "Core/Effects/ImageEffectOption.h"
#include "Platform/Image/VipsImage.h"
#include "Support/SyntheticPhoto.h"

#include <gtest/gtest.h>

using core::FilterDefinition;

namespace {

vips::VImage luma(const image::Image& image) {
    const vips::VImage rgb = image::toVips(image).extract_band(0, vips::VImage::option()->set("n", 3));
    return (rgb.recomb(vips::VImage::new_matrixv(3, 1, 0.2126, 0.7152, 0.0722)) + 0.5)
        .cast(VIPS_FORMAT_UCHAR);
}

double spread(const image::Image& image) {
    const vips::VImage y = luma(image);
    return y.percent(99) - y.percent(1);
}

double meanLuma(const image::Image& image) {
    return luma(image).avg();
}

bool isGrey(const image::Image& image) {
    const vips::VImage v = image::toVips(image);
    return (v.extract_band(0) - v.extract_band(1)).abs().max() == 0 &&
           (v.extract_band(1) - v.extract_band(2)).abs().max() == 0;
}

}  // namespace

TEST(AutoAdjust, EnhancementBrightensAndSpreadsADarkFlatPhoto) {
    const image::Image dark = image::fromVips(testsupport::darkFlatPhoto(600, 400));
    const image::Image enhanced = core::autoAdjusted(dark);
    EXPECT_EQ(enhanced.width(), 600);
    EXPECT_EQ(enhanced.height(), 400);
    EXPECT_GT(meanLuma(enhanced), meanLuma(dark) + 40) << meanLuma(dark) << " -> " << meanLuma(enhanced);
    EXPECT_GT(spread(enhanced), 2.5 * spread(dark)) << spread(dark) << " -> " << spread(enhanced);
    // The proposals come back as the three readable kinds.
    const auto proposals = core::autoAdjustmentDefinitions(dark);
    ASSERT_FALSE(proposals.empty());
    EXPECT_EQ(std::count_if(proposals.begin(), proposals.end(),
                            [](const auto& d) { return d.kind() == FilterDefinition::Kind::toneCurve; }),
              1);
}

TEST(AutoAdjust, EnhancementLiftsAWashedOutPhotoAndLeavesAWellExposedOneNearlyAlone) {
    const vips::VImage scene = testsupport::syntheticPhoto(600, 400);
    const image::Image washed =
        image::fromVips((scene.cast(VIPS_FORMAT_FLOAT) * 0.35 + 150.0 + 0.5).cast(VIPS_FORMAT_UCHAR));
    EXPECT_GT(spread(core::autoAdjusted(washed)), 2 * spread(washed));

    const image::Image good = image::fromVips(scene);
    const double before = meanLuma(good), after = meanLuma(core::autoAdjusted(good));
    EXPECT_LT(std::abs(after - before), 0.03 * before) << before << " -> " << after;
}

TEST(AutoAdjust, AnImageNeedingNothingKeepsItsSizeAndPixels) {
    // A smooth full-range ramp: nothing to stretch, midtones in place.
    const vips::VImage x = vips::VImage::xyz(256, 16).extract_band(0);
    const vips::VImage ramp = vips::VImage::bandjoin({x, x, x}).cast(VIPS_FORMAT_UCHAR);
    const image::Image input = image::fromVips(ramp);
    const image::Image out = core::autoAdjusted(input);
    EXPECT_EQ(out.width(), 256);
    EXPECT_LE((image::toVips(out).cast(VIPS_FORMAT_FLOAT) - ramp).abs().max(), 1);

    EXPECT_TRUE(core::applying(input, {}).isSameObject(input));
    EXPECT_FALSE(core::applying(input, {FilterDefinition::exposure(1)}).isSameObject(input));
}

TEST(AutoAdjust, NoirAndHighContrastMonoAreGreyAndMonoIsBrighter) {
    const image::Image input = image::fromVips(testsupport::syntheticPhoto(120, 80));
    EXPECT_TRUE(isGrey(core::noirFiltered(input)));
    const auto mono = core::highContrastMono(input);
    ASSERT_TRUE(mono);
    EXPECT_TRUE(isGrey(*mono));
    EXPECT_GT(meanLuma(*mono), meanLuma(input) + 20);
}

TEST(AutoAdjust, EffectOptionsPickTheirTreatmentAndOthersLeaveTheImage) {
    const image::Image input = image::fromVips(testsupport::syntheticPhoto(60, 40));
    EXPECT_TRUE(isGrey(*core::applyImageEffectOption(input, 2)));
    const auto sepia = image::toVips(*core::applyImageEffectOption(input, 3));
    EXPECT_GT(sepia.extract_band(0).avg(), sepia.extract_band(1).avg());
    EXPECT_GT(sepia.extract_band(1).avg(), sepia.extract_band(2).avg());
    EXPECT_TRUE(isGrey(*core::applyImageEffectOption(input, 4)));
    const image::Image dark = image::fromVips(testsupport::darkFlatPhoto(60, 40));
    EXPECT_GT(meanLuma(*core::applyImageEffectOption(dark, 5)), meanLuma(dark) + 30);
    for (int other : {0, 1, 6, -3})
        EXPECT_TRUE(core::applyImageEffectOption(input, other)->isSameObject(input));
}
