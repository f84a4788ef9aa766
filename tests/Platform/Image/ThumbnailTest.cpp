#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Support/TempDir.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace {

TEST(ThumbnailTest, LongSideFitsTheBoxWithoutEverEnlarging) {
    image::detail::ensureVipsStarted();
    testsupport::TempDir dir;
    auto portrait = imagetest::solid(1200, 600, {50, 60, 70}).copy();
    portrait.set(VIPS_META_ORIENTATION, 6);
    imagetest::save(portrait, dir / "portrait.jpg");
    imagetest::save(imagetest::solid(120, 60, {50, 60, 70}), dir / "small.png");
    dir.write("broken.jpg", "\xFF\xD8\xFF nothing");

    const auto big = image::thumbnail(dir / "portrait.jpg", {200, 200});
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width(), 100);
    EXPECT_EQ(big->height(), 200);

    const auto small = image::thumbnail(dir / "small.png", {200, 200});
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width(), 120);
    EXPECT_EQ(small->height(), 60);

    // The formats read through ImageMagick and through the JPEG 2000 decoder.
    for (const std::string name : {"wide.bmp", "wide.jp2"}) {
        SCOPED_TRACE(name);
        imagetest::save(imagetest::solid(800, 400, {50, 60, 70}), dir / name);
        const auto thumb = image::thumbnail(dir / name, {200, 200});
        ASSERT_TRUE(thumb);
        EXPECT_EQ(thumb->size(), (cg::Size{200, 100}));
    }
    EXPECT_FALSE(image::thumbnail(dir / "broken.jpg", {200, 200}));
    EXPECT_FALSE(image::thumbnail(dir / "absent.jpg", {200, 200}));
}

}  // namespace
