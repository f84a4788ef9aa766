#include <gtest/gtest.h>

#include "Core/Job/TargetSize.h"

using namespace core;
using foundation::PlistValue;

namespace {

PresetInfo wxh(double w, double h) {
    return {{"presetWidth", w}, {"presetHeight", h}, {"presetPercent", -1}};
}
PresetInfo width(double w) {
    return {{"presetWidth", w}, {"presetHeight", -1}, {"presetPercent", -1}};
}
PresetInfo height(double h) {
    return {{"presetWidth", -1}, {"presetHeight", h}, {"presetPercent", -1}};
}
PresetInfo percent(double p) {
    return {{"presetWidth", -1}, {"presetHeight", -1}, {"presetPercent", p}};
}

std::optional<cg::Size> target(cg::Size image, const PresetInfo& preset, bool allowPortrait = false) {
    return targetSizeForPreset(image, &preset, presetFallbackSize(preset), allowPortrait);
}

}  // namespace

TEST(TargetSize, SizesImagesAndSkipsThoseThatWouldBeEnlarged) {
    struct Case {
        cg::Size image;
        PresetInfo preset;
        bool allowPortrait;
        std::optional<cg::Size> expected;
    };
    const std::vector<Case> cases = {
        {{100, 100}, wxh(200, 50), false, std::nullopt},          // one side too small under WxH
        {{100, 100}, percent(150), false, std::nullopt},          // would grow on both sides
        {{100, 100}, width(200), false, std::nullopt},            // target (200, 200)
        {{300, 100}, width(200), false, cg::Size{200, 66}},       // floored
        {{4928, 3264}, width(1280), false, cg::Size{1280, 847}},  // 1280 / 4928 * 4928 is a hair under 1280
        {{4160, 6240}, width(800), false, cg::Size{533, 800}},
        {{1000, 2000}, width(500), false, cg::Size{250, 500}},  // the width goes to the long side
        {{1000, 2000}, width(500), true, cg::Size{500, 1000}},  // unless portraits are allowed
        {{2000, 1000}, height(500), false, cg::Size{500, 250}},
        {{800, 800}, width(400), false, cg::Size{400, 400}},  // a square never swaps
        {{101, 99}, percent(50), false, cg::Size{50.5, 49.5}},
        {{6000, 4000}, wxh(1920, 1080), false, cg::Size{1920, 1080}},
        {{1920, 1000}, wxh(1920, 1080), false, std::nullopt},
        {{200, 50}, width(200), false, cg::Size{200, 50}},  // the same size is no enlargement
    };
    for (const auto& c : cases) {
        const auto got = target(c.image, c.preset, c.allowPortrait);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.image.width << "x" << c.image.height;
        if (got) {
            EXPECT_EQ(*got, *c.expected) << c.image.width << "x" << c.image.height;
        }
    }
}

TEST(TargetSize, FallbackSizeAndDegenerateInputs) {
    EXPECT_EQ(presetFallbackSize(wxh(1280, 720)), (cg::Size{1280, 720}));
    EXPECT_EQ(presetFallbackSize(width(1280)), (cg::Size{1280, 0}));
    EXPECT_EQ(presetFallbackSize(PresetInfo{{"markDummy", true}}), (cg::Size{0, 0}));
    // A zero-sized image is never given a size (no division by zero).
    EXPECT_FALSE(target({0, 0}, width(100)));
    // The placeholder preset gets a zero target: it writes images at their own size.
    const PresetInfo placeholder{{"markDummy", true}};
    EXPECT_EQ(target({640, 480}, placeholder), (cg::Size{0, 0}));
    EXPECT_EQ(coverSize({6000, 4000}, {1080, 1080}), (cg::Size{1620, 1080}));
    EXPECT_EQ(coverSize({4928, 3264}, {1280, 720}), (cg::Size{1280, 847}));
}
