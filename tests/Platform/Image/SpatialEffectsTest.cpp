#include "FilterTestImages.h"

#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageLoading.h"

#include <gtest/gtest.h>

using namespace filtertest;

namespace {

double deviation(const vips::VImage& image, int x, int y, int w, int h) {
    return image.extract_area(x, y, w, h).extract_band(0).deviate();
}

bool isUniform(const vips::VImage& area) {
    for (int band = 0; band < area.bands(); ++band)
        if (area.extract_band(band).deviate() != 0) return false;
    return true;
}

}  // namespace

TEST(SpatialEffects, PixellateFillsEachCellWithOneColourOnAGridAnchoredAtItsCentre) {
    // 64 x 48: the default centre (150, 150) counts from the bottom left, so cell edges fall on
    // x = 150 mod 8 = 6 and, from the top, y = (48 - 150) mod 8 = 2.
    const vips::VImage photo = noisy(64, 48, 128, 50);
    const auto out = run("CIPixellate", photo);
    ASSERT_TRUE(out);
    for (int top = 2; top + 8 <= 48; top += 8)
        for (int left = 6; left + 8 <= 64; left += 8)
            EXPECT_TRUE(isUniform(out->extract_area(left, top, 8, 8))) << left << "," << top;
    // The columns either side of a cell edge differ somewhere, so the edge really lies there.
    EXPECT_GT(maxDifference(out->extract_area(13, 2, 1, 40), out->extract_area(14, 2, 1, 40)), 0);
    EXPECT_EQ(maxDifference(out->extract_area(12, 2, 1, 40), out->extract_area(13, 2, 1, 40)), 0);
    // A cell shows a colour of the photo from inside that cell.
    EXPECT_EQ(at(*out, 6, 2), at(photo, 10, 6));
}

TEST(SpatialEffects, HexagonalAndTriangularMosaicsAreMadeOfFlatCells) {
    const vips::VImage photo = noisy(120, 90, 128, 50);
    for (const char* name : {"CIHexagonalPixellate", "YUCITriangularPixellate"}) {
        const auto out = run(name, photo);
        ASSERT_TRUE(out) << name;
        // Far fewer distinct colours than pixels: each cell is one colour of the photo.
        const vips::VImage key = out->extract_band(0).cast(VIPS_FORMAT_INT) * 65536 +
                                 out->extract_band(1).cast(VIPS_FORMAT_INT) * 256 + out->extract_band(2);
        size_t length = 0;
        int* values = static_cast<int*>(key.write_to_memory(&length));
        std::set<int> distinct(values, values + length / sizeof(int));
        g_free(values);
        EXPECT_LT(distinct.size(), 120u * 90u / 20u) << name;
    }
}

TEST(SpatialEffects, BoxBlurCalmsNoiseWithoutDarkeningTheBorder) {
    const vips::VImage photo = noisy(100, 80, 128, 30);
    const auto out = run("CIBoxBlur", photo);
    ASSERT_TRUE(out);
    EXPECT_LT(deviation(*out, 20, 20, 60, 40), deviation(photo, 20, 20, 60, 40) / 5);
    // Edges extend outwards: the outermost rows and columns keep the image's level.
    EXPECT_NEAR(out->extract_area(0, 0, 100, 1).avg(), 128, 6);
    EXPECT_NEAR(out->extract_area(0, 0, 1, 80).avg(), 128, 6);
    EXPECT_NEAR(out->extract_area(99, 0, 1, 80).avg(), 128, 6);
}

TEST(SpatialEffects, SharpenRaisesTheContrastAtAnEdgeAndLeavesFlatAreas) {
    const vips::VImage edge = step(60, 20, 80, 170);
    const auto out = run("CISharpenLuminance", edge);
    ASSERT_TRUE(out);
    EXPECT_GT(out->max(), 175);
    EXPECT_LT(out->min(), 75);
    EXPECT_EQ(at(*out, 5, 10), at(edge, 5, 10));
}

TEST(SpatialEffects, LineOverlayDrawsDarkLinesOnEdgesOverTransparency) {
    const vips::VImage edge = step(80, 40, 40, 220);
    const auto out = run("CILineOverlay", edge);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->bands(), 4);
    const vips::VImage paper =
        out->flatten(vips::VImage::option()->set("background", std::vector<double>{255, 255, 255}));
    EXPECT_LT(paper.extract_area(38, 0, 4, 40).min(), 60);
    EXPECT_GT(paper.extract_area(0, 0, 30, 40).min(), 240);
    EXPECT_GT(paper.extract_area(50, 0, 30, 40).min(), 240);

    // Saved as JPEG, which has no transparency, the lines sit on white.
    const auto jpeg = image::encodedData(image::fromVips(*out), "jpg");
    ASSERT_TRUE(jpeg);
    const auto decoded = image::loadImage(std::span<const std::uint8_t>(*jpeg));
    ASSERT_TRUE(decoded);
    const vips::VImage saved = image::toVips(*decoded);
    EXPECT_LT(saved.extract_area(38, 0, 4, 40).min(), 80);
    EXPECT_GT(saved.extract_area(0, 0, 30, 40).min(), 235);
}

TEST(SpatialEffects, SurfaceBlurHalvesTheNoiseAndKeepsAStepEdge) {
    const vips::VImage photo = step(120, 80, 60, 180, 5);
    const auto out = run("YUCISurfaceBlur", photo);
    ASSERT_TRUE(out);
    EXPECT_LT(deviation(*out, 5, 5, 45, 70), deviation(photo, 5, 5, 45, 70) / 2);
    EXPECT_LT(deviation(*out, 70, 5, 45, 70), deviation(photo, 70, 5, 45, 70) / 2);
    const double across = out->extract_area(63, 0, 2, 80).avg() - out->extract_area(55, 0, 2, 80).avg();
    EXPECT_GT(across, 0.8 * 120);
}

TEST(SpatialEffects, NoiseReductionAndFxaaSmoothOnlyWhereTheyShould) {
    const vips::VImage grainy = noisy(80, 60, 128, 3);
    const auto cleaned = run("CINoiseReduction", grainy);
    EXPECT_LT(deviation(*cleaned, 10, 10, 60, 40), deviation(grainy, 10, 10, 60, 40));

    // FXAA touches the pixels along an edge and nothing in the flat parts.
    const vips::VImage edge = step(60, 20, 30, 220);
    const auto smoothed = run("YUCIFXAA", edge);
    EXPECT_EQ(maxDifference(smoothed->extract_area(0, 0, 25, 20), edge.extract_area(0, 0, 25, 20)), 0);
    EXPECT_EQ(maxDifference(smoothed->extract_area(35, 0, 25, 20), edge.extract_area(35, 0, 25, 20)), 0);
    EXPECT_GT(maxDifference(*smoothed, edge), 10);
}

TEST(SpatialEffects, SpotColorReplacesOnlyColoursCloseToItsCentres) {
    // (20, 16, 18) is the first centre colour, far from the other two.
    const vips::VImage spot = noisy(8, 8, 0, 0).new_from_image({20, 16, 18}).cast(VIPS_FORMAT_UCHAR);
    const auto replaced = at(*run("CISpotColor", spot), 4, 4);
    EXPECT_NEAR(replaced[0], 112, 3);
    EXPECT_NEAR(replaced[1], 49, 3);
    EXPECT_NEAR(replaced[2], 50, 3);
    const vips::VImage blue = noisy(8, 8, 0, 0).new_from_image({10, 40, 230}).cast(VIPS_FORMAT_UCHAR);
    EXPECT_EQ(maxDifference(*run("CISpotColor", blue), blue), 0);
}
