#include <gtest/gtest.h>

#include "Core/Crop/CropArea.h"
#include "Core/Crop/SalientRegion.h"
#include "Core/Crop/VisionSaliency.h"
#include "CropTestImages.h"
#include "Platform/Image/ImageGeometry.h"
#include "Support/TempDir.h"

using namespace core;
using croptest::RecordingSender;

namespace {

// A finder that always reports one face in the middle of whatever it is shown.
FaceFinder faceInTheMiddle() {
    return [](const image::Image&) {
        return vision::FaceRequestResult{{{cg::Rect(0.45, 0.45, 0.1, 0.1), true}}, std::nullopt};
    };
}

}  // namespace

TEST(SalientRegion, UnionInTopLeftPixelsGrownAroundItsCentreInsideTheImage) {
    // Two boxes in the detector's bottom-left convention on a 1000 × 800 image.
    const auto region =
        salientUnion({cg::Rect(0.1, 0.5, 0.2, 0.25), cg::Rect(0.25, 0.6, 0.25, 0.3)}, 1000, 800);
    ASSERT_TRUE(region);
    EXPECT_EQ(*region, cg::Rect(100, 80, 400, 320));
    EXPECT_FALSE(salientUnion({}, 1000, 800));

    // Smaller than the target: grown around its centre, never beyond the image.
    EXPECT_EQ(grownToTarget(cg::Rect(450, 275, 100, 50), {400, 300}, 1000, 800),
              cg::Rect(300, 150, 400, 300));
    EXPECT_EQ(grownToTarget(cg::Rect(950, 10, 40, 40), {400, 300}, 1000, 800), cg::Rect(600, 0, 400, 300));
    EXPECT_EQ(grownToTarget(cg::Rect(100, 80, 400, 320), {200, 100}, 1000, 800), cg::Rect(100, 80, 400, 320));
    EXPECT_EQ(grownToTarget(cg::Rect(10, 10, 10, 10), {2000, 100}, 1000, 800), cg::Rect(0, 0, 1000, 100));
}

TEST(SaliencyCrop, TheSalientRegionOfABrightObjectOnANoisyFieldHoldsTheObject) {
    const image::Image photo = croptest::noisyFieldWithDisc(1200, 800, 850, 250, 60);
    const auto region = VisionSaliency::salientRegion(photo, {100, 100});
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->contains(cg::Rect(790, 190, 120, 120)))
        << region->minX() << "," << region->minY() << " " << region->width() << "x" << region->height();
    EXPECT_LT(region->width() * region->height(), 0.5 * 1200 * 800);
}

TEST(SaliencyCrop, ASmallSalientRegionIsGrownToTheTargetNotEnlarged) {
    testsupport::TempDir folder;
    const auto path =
        croptest::savedPng(croptest::noisyFieldWithDisc(1200, 800, 850, 250, 40), folder / "disc.png");
    RecordingSender sender;
    const auto cropped = VisionSaliency(FaceDetector(faceInTheMiddle()))
                             .cropToSalientRegion(path.string(), &sender, false, 400, 300);
    ASSERT_TRUE(cropped);
    EXPECT_EQ(image::pixelSize(*cropped), (cg::Size{400, 300}));
    // The window cut from the photo is at least the target: no pixel was scaled up.
    ASSERT_EQ(sender.frames.size(), 1u);
    EXPECT_GE(sender.frames.front().width(), 400);
    EXPECT_GE(sender.frames.front().height(), 300);
    // And the object is in the picture.
    const image::Bitmap pixels = image::bitmap(*cropped);
    int bright = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) bright += pixels.at(x, y, 0) > 240;
    EXPECT_GT(bright, 3000);  // most of the disc's 5000 pixels
}

TEST(SaliencyCrop, NoFileNoObjectOrNoFaceGivesNone) {
    testsupport::TempDir folder;
    const VisionSaliency withFace{FaceDetector(faceInTheMiddle())};
    EXPECT_FALSE(withFace.cropToSalientRegion((folder / "missing.png").string(), nullptr, false, 100, 100));
    const auto flat =
        croptest::savedPng(*image::filledImage({600, 400}, cg::Color{0.3, 0.3, 0.3, 1}), folder / "flat.png");
    EXPECT_FALSE(withFace.cropToSalientRegion(flat.string(), nullptr, false, 100, 100));
    // A bright object but no face: the saliency crop hands over to the face crop, which finds nothing.
    const auto disc =
        croptest::savedPng(croptest::noisyFieldWithDisc(600, 400, 300, 200, 40), folder / "disc.png");
    const FaceFinder noFaces = [](const image::Image&) { return vision::FaceRequestResult{}; };
    EXPECT_FALSE(
        VisionSaliency(FaceDetector(noFaces)).cropToSalientRegion(disc.string(), nullptr, false, 100, 100));
    EXPECT_TRUE(withFace.cropToSalientRegion(disc.string(), nullptr, false, 100, 100));
}

TEST(SaliencyCrop, TheSalientRegionTakesInEveryFaceItTouches) {
    // Faces in the photo's pixels (top-left origin) and where the salient objects are, on 2000 × 1000.
    struct Case {
        const char* name;
        cg::Rect salient;
        std::vector<cg::Rect> faces;
        bool fill;
        cg::Rect mustHold;  // a face the crop shows whole
    };
    const std::vector<Case> cases = {
        {"a face half outside the objects",
         {100, 100, 300, 200},
         {{350, 250, 120, 120}},
         false,
         {350, 250, 120, 120}},
        {"a face on the objects' top edge",
         {800, 400, 300, 300},
         {{900, 330, 100, 100}},
         false,
         {900, 330, 100, 100}},
        {"the same, with crop to fill",
         {800, 400, 300, 300},
         {{900, 330, 100, 100}},
         true,
         {900, 330, 100, 100}},
        {"one face inside, one far away",
         {100, 100, 600, 400},
         {{300, 200, 100, 100}, {1700, 700, 100, 100}},
         false,
         {300, 200, 100, 100}},
        // A close portrait: the objects are the eyes and nose, inside a face larger than the target; the
        // crop shows the face with its headroom (0.4 of its height above it), scaled down to the target.
        {"a close face around small objects",
         {900, 450, 200, 150},
         {{800, 300, 500, 500}},
         false,
         {800, 100, 500, 700}},
    };
    const cg::Size photo{2000, 1000}, target{400, 300};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto area = salientCropArea(c.salient, c.faces, photo, target, c.fill);
        ASSERT_TRUE(area);
        // Whole, to the pixel: the working picture's size is rounded down, which may shave a fraction.
        EXPECT_TRUE(cg::Rect(area->minX() - 1, area->minY() - 1, area->width() + 2, area->height() + 2)
                        .contains(c.mustHold));
        EXPECT_TRUE(cg::Rect(0, 0, photo.width, photo.height).contains(*area));
        // The area keeps the target's proportions, and is never smaller than the target.
        EXPECT_NEAR(area->width() / area->height(), target.width / target.height, 0.01);
        EXPECT_GE(area->width(), target.width - 1e-6);
    }
    // Objects that touch no face give no face crop.
    EXPECT_FALSE(salientCropArea({100, 100, 300, 200}, {{1500, 600, 100, 100}}, photo, target, false));
}
