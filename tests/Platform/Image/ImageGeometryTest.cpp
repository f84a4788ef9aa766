#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "TestImages.h"

#include <gtest/gtest.h>

using imagetest::meanAt;

namespace {

class ImageGeometryTest : public ::testing::Test {
  protected:
    void SetUp() override { image::detail::ensureVipsStarted(); }
};

image::Image make(const vips::VImage& pixels) {
    return image::fromVips(pixels);
}

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance) {
    ASSERT_GE(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "band " << i;
}

TEST_F(ImageGeometryTest, CoverCropScalesThenTakesTheCentre) {
    // Four 100 px columns: scaled by 0.5 to 200 x 100, the centre 100 x 100 holds the middle two.
    const auto quarters = imagetest::solid(100, 200, {255, 0, 0})
                              .join(imagetest::solid(100, 200, {0, 255, 0}), VIPS_DIRECTION_HORIZONTAL)
                              .join(imagetest::solid(100, 200, {0, 0, 255}), VIPS_DIRECTION_HORIZONTAL)
                              .join(imagetest::solid(100, 200, {255, 255, 0}), VIPS_DIRECTION_HORIZONTAL);
    const auto filled = image::aspectFillCropped(make(quarters), {100, 100});
    ASSERT_TRUE(filled);
    EXPECT_EQ(image::pixelSize(*filled), (cg::Size{100, 100}));
    expectNear(meanAt(image::toVips(*filled), 5, 5, 40, 90), {0, 255, 0}, 3);
    expectNear(meanAt(image::toVips(*filled), 55, 5, 40, 90), {0, 0, 255}, 3);

    // Tall source, wide target: the middle band of rows survives.
    const auto rows = imagetest::halves(300, 900, {255, 255, 255}, {0, 0, 0});
    const auto band = image::aspectFillCropped(make(rows), {200, 100});
    ASSERT_TRUE(band);
    EXPECT_EQ(image::pixelSize(*band), (cg::Size{200, 100}));
    EXPECT_GT(meanAt(image::toVips(*band), 0, 0, 200, 40)[0], 250);
    EXPECT_LT(meanAt(image::toVips(*band), 0, 60, 200, 40)[0], 5);

    // Sizes that would need a third of a pixel never leave the result short of its target.
    const auto odd = image::aspectFillCropped(make(imagetest::solid(3, 7, {9, 9, 9})), {1, 1});
    ASSERT_TRUE(odd);
    EXPECT_EQ(image::pixelSize(*odd), (cg::Size{1, 1}));
    EXPECT_FALSE(image::aspectFillCropped(make(rows), {0, 100}));
    EXPECT_EQ(image::pixelSize(*image::aspectFillCropped(make(rows), {50.9, 49.5})), (cg::Size{50, 49}));
}

TEST_F(ImageGeometryTest, ResizeGivesExactlyTheAskedSizeWithLanczos) {
    const auto photo = make(imagetest::solid(1000, 750, {10, 20, 30}));
    EXPECT_EQ(image::pixelSize(*image::resized(photo, {333, 250})), (cg::Size{333, 250}));
    EXPECT_EQ(image::pixelSize(*image::resized(photo, {101.7, 3.2})), (cg::Size{101, 3}));
    EXPECT_EQ(image::pixelSize(*image::resized(photo, {2000, 10})), (cg::Size{2000, 10}));
    EXPECT_FALSE(image::resized(photo, {0.5, 10}));
    EXPECT_FALSE(image::resized(photo, {10, -4}));

    // A one-pixel checkerboard halved: a filter averages it to even grey, point sampling would give
    // solid black or solid white.
    const auto checker = vips::VImage::xyz(100, 100);
    const auto cells =
        ((checker.extract_band(0) + checker.extract_band(1)) % 2 * 255).cast(VIPS_FORMAT_UCHAR);
    const auto board = cells.bandjoin(cells).bandjoin(cells).copy(
        vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    const auto halved = image::toVips(*image::resized(make(board), {50, 50}));
    EXPECT_NEAR(halved.extract_area(5, 5, 40, 40).avg(), 127.5, 3);
    EXPECT_LT(halved.extract_area(5, 5, 40, 40).deviate(), 3);
}

TEST_F(ImageGeometryTest, ScalingTransparencyAddsNoDarkFringe) {
    const auto clearAndWhite =
        imagetest::solid(50, 100, {0, 0, 0, 0})
            .join(imagetest::solid(50, 100, {255, 255, 255, 255}), VIPS_DIRECTION_HORIZONTAL);
    const auto small = image::toVips(*image::resized(make(clearAndWhite), {33, 33}));
    ASSERT_EQ(small.bands(), 4);
    for (int x = 10; x < 23; ++x) {
        const auto pixel = small.getpoint(x, 16);
        if (pixel[3] > 10) {
            EXPECT_GT(pixel[0], 240) << "x " << x << " alpha " << pixel[3];
        }
    }
}

TEST_F(ImageGeometryTest, CropKeepsWhatLiesInsideTheImage) {
    const auto picture = make(imagetest::halves(200, 100, {255, 0, 0}, {0, 0, 255}));
    const auto corner = image::cropped(picture, cg::Rect(-50, -50, 100, 100));
    ASSERT_TRUE(corner);
    EXPECT_EQ(image::pixelSize(*corner), (cg::Size{50, 50}));
    expectNear(meanAt(image::toVips(*corner), 0, 0, 50, 50), {255, 0, 0}, 0);

    const auto lower = image::cropped(picture, cg::Rect(150, 50, 100, 100));
    ASSERT_TRUE(lower);
    EXPECT_EQ(image::pixelSize(*lower), (cg::Size{50, 50}));
    expectNear(meanAt(image::toVips(*lower), 0, 0, 50, 50), {0, 0, 255}, 0);

    EXPECT_EQ(image::pixelSize(*image::cropped(picture, cg::Rect(10.5, 10.5, 20, 20))), (cg::Size{21, 21}));
    EXPECT_FALSE(image::cropped(picture, cg::Rect(200, 0, 10, 10)));
    EXPECT_FALSE(image::cropped(picture, cg::Rect(-30, -30, 20, 20)));
    EXPECT_FALSE(image::cropped(picture, cg::Rect::null()));
}

TEST_F(ImageGeometryTest, RotationTurnsAnticlockwiseIntoTheBoundingBox) {
    const auto picture = make(imagetest::halves(400, 200, {255, 0, 0}, {0, 0, 255}));
    const auto quarter = image::rotated(picture, 90);
    EXPECT_EQ(image::pixelSize(quarter), (cg::Size{200, 400}));
    // The red top turns to the left side.
    expectNear(meanAt(image::toVips(quarter), 0, 0, 100, 400), {255, 0, 0}, 0);
    expectNear(meanAt(image::toVips(image::rotated(picture, -90)), 100, 0, 100, 400), {255, 0, 0}, 0);
    EXPECT_EQ(image::pixelSize(image::rotated(picture, 180)), (cg::Size{400, 200}));
    EXPECT_TRUE(image::rotated(picture, 360).isSameObject(picture));

    const auto tilted = image::rotated(make(imagetest::solid(100, 100, {0, 200, 0})), 45);
    EXPECT_EQ(image::pixelSize(tilted), (cg::Size{142, 142}));
    const auto& pixels = image::toVips(tilted);
    ASSERT_TRUE(tilted.hasAlpha());
    EXPECT_EQ(pixels.getpoint(2, 2)[3], 0);  // the uncovered corner
    expectNear(pixels.getpoint(71, 71), {0, 200, 0, 255}, 1);

    // Turned a third of a right angle anticlockwise, the top right corner becomes the highest point:
    // 200 x 100 gives a 224 x 187 box with that corner near (173, 0).
    const auto marked = imagetest::solid(160, 100, {255, 255, 255})
                            .join(imagetest::solid(40, 100, {255, 255, 255})
                                      .insert(imagetest::solid(40, 40, {255, 0, 0}), 0, 0),
                                  VIPS_DIRECTION_HORIZONTAL);
    const auto turned = image::rotated(make(marked), 30);
    EXPECT_EQ(image::pixelSize(turned), (cg::Size{224, 187}));
    expectNear(image::toVips(turned).getpoint(173, 15), {255, 0, 0, 255}, 2);
}

TEST_F(ImageGeometryTest, RedrawingScalesTheWholeImage) {
    const auto picture = make(imagetest::halves(300, 200, {255, 255, 255}, {0, 0, 0}));
    const auto drawn = image::drawnScaled(picture, {90, 60});
    EXPECT_EQ(image::pixelSize(drawn), (cg::Size{90, 60}));
    EXPECT_GT(meanAt(image::toVips(drawn), 0, 0, 90, 25)[0], 250);
    EXPECT_EQ(image::pixelSize(image::redrawn(picture, 30, 45)), (cg::Size{30, 45}));
    EXPECT_TRUE(image::drawnScaled(picture, {0, 60}).isSameObject(picture));
}

}  // namespace
