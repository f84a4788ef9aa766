#include "Platform/Image/ImageColour.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageColourTest, SepiaTurnsGreyBrownAndKeepsTransparency) {
    image::detail::ensureVipsStarted();
    const auto grey = image::fromVips(imagetest::solid(10, 10, {128, 128, 128, 100}));
    const auto toned = image::toVips(image::sepiaToned(grey, 1)).getpoint(5, 5);
    EXPECT_GT(toned[0], toned[1]);
    EXPECT_GT(toned[1], toned[2]);
    EXPECT_GT(toned[0], 150);
    EXPECT_EQ(toned[3], 100);
    // Strong colours saturate rather than wrap around.
    const auto white =
        image::toVips(image::sepiaToned(image::fromVips(imagetest::solid(4, 4, {255, 255, 255})), 1));
    EXPECT_EQ(white.getpoint(0, 0)[0], 255);
    EXPECT_TRUE(image::sepiaToned(grey, 0).isSameObject(grey));
}

TEST(ImageColourTest, TintCoversVisiblePixelsByTheColoursAlpha) {
    image::detail::ensureVipsStarted();
    const auto half = imagetest::solid(10, 10, {0, 0, 255, 255})
                          .join(imagetest::solid(10, 10, {0, 0, 255, 0}), VIPS_DIRECTION_HORIZONTAL);
    const auto picture = image::fromVips(half);
    const auto full = image::toVips(image::tinted(picture, {1, 0, 0, 1}));
    EXPECT_EQ(full.getpoint(2, 2), (std::vector<double>{255, 0, 0, 255}));
    EXPECT_EQ(full.getpoint(15, 2)[3], 0);  // transparent stays transparent
    const auto soft = image::toVips(image::tinted(picture, {1, 0, 0, 0.5})).getpoint(2, 2);
    EXPECT_NEAR(soft[0], 128, 1);
    EXPECT_NEAR(soft[2], 128, 1);
    const auto opaque =
        image::toVips(image::tinted(image::fromVips(imagetest::solid(4, 4, {0, 0, 0})), {0, 1, 0, 1}));
    EXPECT_EQ(opaque.bands(), 3);
    EXPECT_EQ(opaque.getpoint(1, 1), (std::vector<double>{0, 255, 0}));
}

}  // namespace
