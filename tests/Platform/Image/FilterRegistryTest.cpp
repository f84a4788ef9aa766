#include "FilterTestImages.h"

#include "Platform/Image/Filter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace filtertest;

namespace {

std::vector<std::uint8_t> bytesOf(const vips::VImage& image) {
    size_t length = 0;
    void* data = image.write_to_memory(&length);
    std::vector<std::uint8_t> bytes(static_cast<std::uint8_t*>(data),
                                    static_cast<std::uint8_t*>(data) + length);
    g_free(data);
    return bytes;
}

}  // namespace

TEST(FilterRegistry, CreatesFiltersByNameWithTheirDefaultsAndRefusesUnknownNamesAndMistypedValues) {
    EXPECT_FALSE(ci::Filter::named("CINoSuchFilter"));
    EXPECT_FALSE(ci::Filter::named("cisepiatone"));

    auto sepia = ci::Filter::named("CISepiaTone");
    ASSERT_TRUE(sepia);
    const auto keys = sepia->inputKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "inputImage"), keys.end());
    EXPECT_EQ(std::get<double>(*sepia->value("inputIntensity")), 1.0);
    // No image yet: nothing to output.
    EXPECT_FALSE(sepia->outputImage());

    EXPECT_FALSE(sepia->setValue("inputIntensity", std::vector<double>{1, 2}));
    EXPECT_FALSE(sepia->setValue("inputNoSuchKey", 0.5));
    EXPECT_TRUE(sepia->setValue("inputIntensity", 0));  // an integer is a number too
    EXPECT_EQ(std::get<int>(*sepia->value("inputIntensity")), 0);

    auto generator = ci::Filter::named("YUCISkyGenerator");
    ASSERT_TRUE(generator);
    EXPECT_FALSE(generator->takesImage());
    EXPECT_FALSE(generator->setValue("inputImage", image::fromVips(noisy(8, 8, 100, 0))));
}

TEST(FilterRegistry, EveryFilterKeepsTheInputSizeAndAlphaAndIsDeterministic) {
    const vips::VImage photo = noisy(61, 47, 120, 40);
    const vips::VImage withAlpha = photo.bandjoin_const({200});
    for (const auto& name : ci::filterNames()) {
        auto filter = ci::Filter::named(name);
        ASSERT_TRUE(filter) << name;
        if (!filter->takesImage()) {
            filter->setValue("inputExtent", std::vector<double>{0, 0, 61, 47});
            const auto out = filter->outputImage();
            ASSERT_TRUE(out) << name;
            EXPECT_EQ(out->width(), 61) << name;
            EXPECT_EQ(out->height(), 47) << name;
            continue;
        }
        const auto first = run(name, photo), second = run(name, photo);
        ASSERT_TRUE(first && second) << name;
        EXPECT_EQ(first->width(), 61) << name;
        EXPECT_EQ(first->height(), 47) << name;
        EXPECT_EQ(first->format(), VIPS_FORMAT_UCHAR) << name;
        EXPECT_EQ(bytesOf(*first), bytesOf(*second)) << name;

        const auto translucent = run(name, withAlpha);
        ASSERT_TRUE(translucent) << name;
        EXPECT_EQ(translucent->bands(), 4) << name;
        EXPECT_EQ(translucent->width(), 61) << name;
    }
}

TEST(FilterRegistry, TransitionsShowTheImageAtTimeZeroAndTheTargetAtTimeOne) {
    const vips::VImage from = noisy(40, 30, 60, 10), to = noisy(40, 30, 200, 10, 11);
    for (const char* name : {"YUCICrossZoomTransition", "YUCIFilmBurnTransition", "YUCIFlashTransition"}) {
        const auto start = run(name, from, {{"inputTargetImage", image::fromVips(to)}});
        const auto end = run(name, from, {{"inputTargetImage", image::fromVips(to)}, {"inputTime", 1.0}});
        ASSERT_TRUE(start && end) << name;
        EXPECT_LE(maxDifference(*start, from), 1) << name;
        EXPECT_LE(maxDifference(*end, to), 1) << name;
    }
}

TEST(FilterRegistry, TinyImagesComeOutWholeFromEveryFilter) {
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {2, 3}, {7, 1}, {1, 9}}) {
        const vips::VImage tiny = noisy(w, h, 120, 40);
        for (const auto& name : ci::filterNames()) {
            if (!ci::Filter::named(name)->takesImage()) continue;
            const auto out = run(name, tiny);
            ASSERT_TRUE(out) << name << " " << w << "x" << h;
            EXPECT_EQ(out->width(), w) << name;
            EXPECT_EQ(out->height(), h) << name;
        }
    }
}
