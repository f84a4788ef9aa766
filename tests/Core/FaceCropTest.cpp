#include <gtest/gtest.h>

#include <filesystem>

#include "Core/Crop/FaceDetector.h"
#include "CropTestImages.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"

using namespace core;
using croptest::RecordingSender;

namespace {

// A finder that reports these face rectangles of the working image, whatever it is shown.
FaceFinder facesAt(std::vector<cg::Rect> rects, bool landmarks = true) {
    return [rects, landmarks](const image::Image& working) {
        vision::FaceRequestResult result;
        for (const cg::Rect& r : rects) {
            result.results.push_back(
                {croptest::normalisedFace(r, working.width(), working.height()), landmarks});
        }
        return result;
    };
}

struct Crop {
    std::optional<image::Image> image;
    int completions = 0;
};

Crop crop(const FaceDetector& detector, const image::Image& source, cg::Size target, bool fill,
          CropSender* sender) {
    Crop out;
    detector.cropToFaces(source, target.width, target.height, false, sender, fill,
                         [&](std::optional<image::Image> i) {
                             out.image = std::move(i);
                             ++out.completions;
                         });
    return out;
}

}  // namespace

TEST(FaceCrop, EveryPlacementRuleCutsExactlyTheTargetInsideTheWorkingImage) {
    struct Case {
        const char* name;
        cg::Size source, target;
        std::vector<cg::Rect> faces;  // in the working image
        cg::Rect window;
    };
    // 3000 × 1000 under 500 × 500 works at 1500 × 500; 1000 × 2000 under 400 × 600 at 400 × 800.
    const std::vector<Case> cases = {
        {"two equal faces far apart",
         {3000, 1000},
         {500, 500},
         {{100, 300, 100, 100}, {1000, 300, 100, 100}},
         {800, 0, 500, 500}},
        // The rules centre this window on the wider face; the narrower one is the top face (its lower edge
        // is higher), but the two do not fit together, and the window stays on the larger.
        {"left face narrower and the top one",
         {3000, 1000},
         {500, 500},
         {{100, 300, 100, 100}, {900, 350, 200, 200}},
         {750, 0, 500, 500}},
        // Three faces of one size. The first and last are level (row 400), though the detector's fractions
        // bring them back at 400.00000000000006 and 400: the first is the top face all the same. The rules'
        // window shows half of it and of the middle one; it moves to hold the first whole, not the last.
        {"two level faces, the first one on top",
         {3000, 1000},
         {500, 500},
         {{100, 400, 100, 100}, {600, 450, 100, 100}, {1300, 400, 100, 100}},
         {85, 0, 500, 500}},
        // Level faces in a wide window (rows 300 to 400 and 260 to 400): the first is the top face, and the
        // rules' window at row 230 leaves its headroom. The fractions bring the second back a hair higher;
        // taken for the top face, it would move the window up to its own headroom, row 204.
        {"two level faces, the first one's headroom",
         {2000, 2000},
         {1000, 500},
         {{100, 400, 100, 100}, {600, 400, 140, 140}},
         {0, 230, 1000, 500}},
        {"left face wider",
         {3000, 1000},
         {500, 500},
         {{300, 300, 200, 200}, {1200, 300, 100, 100}},
         {150, 0, 500, 500}},
        {"three faces, middle near the left",
         {3000, 1000},
         {500, 500},
         {{100, 300, 100, 100}, {400, 320, 80, 80}, {1200, 310, 100, 100}},
         {40, 0, 500, 500}},
        // The rules take the middle and right faces; the left one is the top face, so it is kept instead.
        {"three faces, middle near the right, the left one on top",
         {3000, 1000},
         {500, 500},
         {{100, 300, 100, 100}, {1000, 320, 80, 80}, {1200, 310, 100, 100}},
         {85, 0, 500, 500}},
        {"one face with headroom", {1000, 2000}, {400, 600}, {{150, 400, 100, 100}}, {0, 200, 400, 600}},
        {"one face at the very top", {1000, 2000}, {400, 600}, {{150, 120, 100, 100}}, {0, 0, 400, 600}},
        // The rules would put this window above a low face (y 50); it moves down until the face is in, with
        // its chin (a quarter of its height below the box, to row 825).
        {"a low face in a wide window",
         {2000, 2000},
         {1000, 500},
         {{450, 800, 100, 100}},
         {0, 325, 1000, 500}},
        {"a face wider than the target is centred",
         {3000, 1000},
         {500, 500},
         {{500, 500, 600, 450}},
         {550, 0, 500, 500}},
        // Camera sizes whose scale to the target is no round number: the window is exactly the target,
        // never a pixel short of it and then stretched.
        {"a 16-megapixel photo at width 1280",
         {4928, 3264},
         {1280, 847},
         {{600, 400, 100, 100}},
         {0, 0, 1280, 847}},
        {"a 26-megapixel photo at width 800",
         {6240, 4160},
         {800, 533},
         {{300, 300, 60, 60}},
         {0, 0, 800, 533}},
        // The rules put the window above two low faces; it moves down until it holds both, and the lower
        // one's chin.
        {"two low faces that fit together",
         {2000, 2000},
         {1000, 500},
         {{100, 700, 100, 100}, {700, 800, 100, 100}},
         {0, 325, 1000, 500}},
        // A group photo of 2690 × 1528 at 989 × 871 works at 1533 × 871; its faces (x, top edge, w, h)
        // (1155,164,1245,1311), (602,272,688,690) and (1659,894,467,537) are here at that scale. The three
        // do not fit together; the rules' window holds the first, the largest, with its room beside it, and
        // the third. The second is the top face, but it cannot join them: the window stays.
        {"a group whose top face cannot join the largest",
         {2690, 1528},
         {989, 871},
         {{658, 841, 710, 747}, {343, 548, 392, 393}, {946, 816, 266, 306}},
         {519, 0, 989, 871}},
        // A face taller than the window (rows 200 to 800 of 1000, under a 500-row window) is cut evenly
        // above and below, not centred on the room above it.
        {"a face taller than the window",
         {1000, 1000},
         {1000, 500},
         {{300, 800, 400, 600}},
         {0, 250, 1000, 500}},
        // A close portrait: the face (rows 150 to 730 of 800) fits the 600-row window but its headroom does
        // not. The 20 rows left go below the chin, none above the forehead.
        {"a close portrait keeps the chin",
         {1000, 2000},
         {400, 600},
         {{50, 730, 300, 580}},
         {0, 150, 400, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto source = image::filledImage(c.source, cg::Color{0.5, 0.5, 0.5, 1});
        ASSERT_TRUE(source);
        RecordingSender sender;
        const Crop result = crop(FaceDetector(facesAt(c.faces)), *source, c.target, false, &sender);
        EXPECT_EQ(result.completions, 1);
        ASSERT_TRUE(result.image);
        EXPECT_EQ(image::pixelSize(*result.image), c.target);
        ASSERT_EQ(sender.frames.size(), 1u);
        EXPECT_EQ(sender.frames.front(), c.window);
        EXPECT_TRUE(sender.pauses.empty());
    }
}

TEST(FaceCrop, WithFillTheCropShowsTheSceneScaledToCoverTheTarget) {
    // 1000 × 800 under 200 × 200 works at 250 × 200: the output is the scene at the target's size, not a
    // 200 × 200 piece of the full-size picture.
    const image::Image source = croptest::coordinateCanvas(1000, 800);
    RecordingSender sender(false);
    const Crop result = crop(FaceDetector(facesAt({{75, 125, 75, 75}})), source, {200, 200}, true, &sender);
    ASSERT_TRUE(result.image);
    EXPECT_EQ(image::pixelSize(*result.image), (cg::Size{200, 200}));
    ASSERT_EQ(sender.shownSizes.size(), 1u);
    EXPECT_EQ(sender.shownSizes.front(), (cg::Size{250, 200}));
    ASSERT_EQ(sender.frames.size(), 1u);
    EXPECT_EQ(sender.frames.front(), cg::Rect(13, 0, 200, 200));
    // Each output pixel stands for four source pixels: red counts the source's x (mod 256).
    const image::Bitmap pixels = image::bitmap(*result.image);
    EXPECT_NEAR(pixels.at(100, 100, 0), (113 * 4 + 1.5) - 256, 3);
    EXPECT_NEAR(pixels.at(0, 0, 0), 13 * 4 + 1.5, 3);
    EXPECT_EQ(sender.pauses, std::vector<double>{1.0});
}

TEST(FaceCrop, NoUsableFaceGivesNone) {
    const auto source = *image::filledImage({1200, 800}, cg::Color::black());
    RecordingSender sender;
    EXPECT_FALSE(crop(FaceDetector(facesAt({})), source, {300, 200}, false, &sender).image);
    // Faces without landmarks do not count.
    EXPECT_FALSE(
        crop(FaceDetector(facesAt({{100, 300, 100, 100}}, false)), source, {300, 200}, false, &sender).image);
    // A detector that cannot run reports its reason and crops nothing.
    const FaceFinder broken = [](const image::Image&) {
        return vision::FaceRequestResult{{}, std::string("no face model")};
    };
    testing::internal::CaptureStdout();
    const Crop failed = crop(FaceDetector(broken), source, {300, 200}, false, &sender);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "no face model\n");
    EXPECT_FALSE(failed.image);
    EXPECT_EQ(failed.completions, 1);
    EXPECT_TRUE(sender.frames.empty());
}

TEST(FaceCrop, FindsAndKeepsTheFaceOfTheTestPortrait) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const auto square = image::loadImage(std::filesystem::path(VORTA_TEST_DATA_DIR) / "astronaut.jpg");
    ASSERT_TRUE(square);
    // A wide photo with the face off-centre: the left 512 × 320 of the portrait.
    const auto portrait = image::cropped(*square, {0, 0, 512, 320});
    ASSERT_TRUE(portrait);

    // Where the face is in the working image the crop uses: 512 × 320 under 200 × 200 works at 320 × 200.
    const auto working = image::resized(*portrait, {320, 200});
    ASSERT_TRUE(working);
    const auto faces = visionFaceFinder()(*working);
    ASSERT_EQ(faces.results.size(), 1u);
    const cg::Rect face = faceBox(faces.results.front().boundingBox, 320, 200);

    RecordingSender sender;
    const Crop result = crop(FaceDetector(), *portrait, {200, 200}, false, &sender);
    ASSERT_TRUE(result.image);
    EXPECT_EQ(image::pixelSize(*result.image), (cg::Size{200, 200}));
    ASSERT_EQ(sender.frames.size(), 1u);
    EXPECT_TRUE(sender.frames.front().contains(face));
    // Off the centre the face pulled the window to it.
    EXPECT_NE(sender.frames.front().minX(), 60);
}
