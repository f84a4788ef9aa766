#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/SmartCropStep.h"
#include "CropTestImages.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Vision/FaceRequest.h"
#include "Platform/Vision/ImageRequestHandler.h"
#include "RunBatch.h"
#include "Support/TempDir.h"

namespace {

// A camera-sized photo made from a part of the real portrait: `part` of the 512 × 512 original, enlarged
// `times`, so that the face sits where a photographer's framing put it (centred, low, at the edge).
struct Photo {
    const char* name;
    cg::Rect part;
    double times;
};

std::optional<std::string> photoBytes(const image::Image& portrait, const Photo& photo) {
    const auto part = image::cropped(portrait, photo.part);
    if (!part) return std::nullopt;
    const auto large =
        image::resized(*part, {photo.part.width() * photo.times, photo.part.height() * photo.times});
    if (!large) return std::nullopt;
    const auto bytes = image::encodedData(*large, image::FileType::JPEG, 0.9);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

std::vector<std::filesystem::path> outputsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

}  // namespace

TEST(PortraitCrop, EverySmartCropOfARealPortraitShowsTheWholeFaceAtExactlyTheTargetSize) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const auto portrait = image::loadImage(std::filesystem::path(VORTA_TEST_DATA_DIR) / "astronaut.jpg");
    ASSERT_TRUE(portrait);

    // Every photo is larger than every target on both sides, so every preset crops it.
    const std::vector<Photo> photos = {
        {"centred", {0, 0, 512, 512}, 5},        // 2560 × 2560, the face above the middle
        {"wide", {0, 40, 512, 288}, 8},          // 4096 × 2304, the face near the top
        {"tall", {120, 0, 300, 512}, 7},         // 2100 × 3584, the face in the upper third
        {"at the edge", {150, 0, 362, 300}, 7},  // 2534 × 2100, the face against the left edge
        // 6000 × 8400, a close portrait: the face (1920 pixels) and its headroom are larger than a
        // target-sized window of every preset, and larger than a target-sized salient region.
        {"close", {100, 0, 300, 420}, 20},
    };
    testsupport::TempDir dir;
    for (const Photo& photo : photos) {
        const auto bytes = photoBytes(*portrait, photo);
        ASSERT_TRUE(bytes);
        dir.write("in/" + std::string(photo.name) + ".jpg", *bytes);
    }

    struct Case {
        int width, height;
        bool cropToFill;
    };
    const std::vector<Case> cases = {{1920, 1080, false}, {1920, 1080, true},  {400, 400, false},
                                     {400, 400, true},    {1080, 1920, false}, {1080, 1920, true}};
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.width) + " x " + std::to_string(c.height) +
                                  (c.cropToFill ? ", crop to fill" : "");
        SCOPED_TRACE(label);
        const auto out = dir / ("out " + std::to_string(&c - cases.data()));
        const std::string preset =
            "[{\"presetName\": \"Smart\", \"presetWidth\": " + std::to_string(c.width) +
            ", \"presetHeight\": " + std::to_string(c.height) +
            ", \"autoSaliency\": true, \"imageCrop\": " + (c.cropToFill ? "true" : "false") + "}]";
        const auto run =
            testsupport::runBatch("--output " + testsupport::shellWord(out) + " --presets-json '" + preset +
                                  "' " + testsupport::shellWord(dir / "in"));
        ASSERT_EQ(run.status, 0) << run.output;
        ASSERT_NE(run.output.find(std::to_string(photos.size()) + " done, 0 skipped"), std::string::npos)
            << run.output;

        const auto files = outputsIn(out);
        ASSERT_EQ(files.size(), photos.size());
        for (const auto& file : files) {
            SCOPED_TRACE(file.filename().string());
            const auto result = image::loadImage(file);
            ASSERT_TRUE(result);
            EXPECT_EQ(image::pixelSize(*result), (cg::Size{double(c.width), double(c.height)}));
            // The detector finds a face only where the face is whole: a cut one, or hair alone, is none.
            // Faces below an eighth of the shorter side are not this portrait's (a pattern in the suit); the
            // space suit may show a second, false one.
            const auto faces = vision::FaceRequest().perform(vision::ImageRequestHandler(*result));
            EXPECT_FALSE(faces.error.has_value());
            const double least = std::min(c.width, c.height) / 8.0 / c.height;  // normalised to the height
            const auto large =
                std::count_if(faces.results.begin(), faces.results.end(),
                              [&](const auto& face) { return face.boundingBox.height() >= least; });
            EXPECT_GE(large, 1);
        }
    }
}

TEST(PortraitCrop, ACloseFaceIsWholeWhereverItFitsTheLargestWindowOfTheTargetsShape) {
    if (!vision::FaceRequest::defaultCascadePath())
        GTEST_SKIP() << "the face model of opencv-data is not installed";
    const auto portrait = image::loadImage(std::filesystem::path(VORTA_TEST_DATA_DIR) / "astronaut.jpg");
    ASSERT_TRUE(portrait);
    const auto onPortrait = core::visionFaceFinder()(*portrait);
    ASSERT_EQ(onPortrait.results.size(), 1u);
    const cg::Rect face = core::faceBox(onPortrait.results.front().boundingBox, 512, 512);

    // 3:2 photos cut around the face so that it fills a share of their height (as the portrait's own face box
    // measures it), centred or near the top, and enlarged to 720 × 480. The 16:9 window is 84 % of the
    // height, the 1:1 window all of it: both hold these faces, but not with their headroom. The 9:16 window
    // is narrower than the face. Without crop to fill the saliency crop places the window (this portrait
    // always has salient objects around the face); with it, the face crop.
    struct Target {
        double width, height;
    };
    const std::vector<Target> targets = {{320, 180}, {240, 240}, {180, 320}};
    const std::vector<double> shares = {0.60, 0.66, 0.70, 0.72, 0.75, 0.78, 0.80, 0.82, 0.84, 0.88, 0.95};
    const cg::Size original{720, 480};
    testsupport::TempDir dir;
    int closeButWhole = 0, chinHeld = 0;
    for (const double share : shares)
        for (const double above : {0.5, 0.1}) {  // the part of the space left that is above the face
            const double h = face.height() / share, w = h * original.width / original.height;
            const cg::Rect part(std::clamp(face.midX() - w / 2, 0.0, 512 - w),
                                std::clamp(face.minY() - (h - face.height()) * above, 0.0, 512 - h), w, h);
            const auto photo = image::resized(image::cropped(*portrait, part).value(), original);
            ASSERT_TRUE(photo);
            const std::string name =
                std::to_string(int(share * 100)) + " % " + (above > 0.3 ? "centred" : "high");
            const auto path = croptest::savedPng(*photo, dir / (name + ".png"));
            for (const Target& t : targets)
                for (const bool fill : {false, true}) {
                    const cg::Size target{t.width, t.height};
                    SCOPED_TRACE(name + ", " + std::to_string(int(t.width)) + " x " +
                                 std::to_string(int(t.height)) + (fill ? ", crop to fill" : ""));
                    // The detector's faces as the crop itself found them, in the photo's pixels.
                    std::vector<cg::Rect> found;
                    const core::FaceFinder finder = [&](const image::Image& copy) {
                        const auto faces = core::visionFaceFinder()(copy);
                        for (const auto& f : faces.results)
                            found.push_back(core::faceBox(f.boundingBox, original.width, original.height));
                        return faces;
                    };
                    croptest::RecordingSender sender;
                    const auto result = core::smartCropImage(path, original, target, fill, &sender, finder);
                    ASSERT_TRUE(result);
                    EXPECT_EQ(image::pixelSize(*result), target);
                    ASSERT_EQ(found.size(), 1u);
                    ASSERT_EQ(sender.frames.size(), 1u);

                    // The window the crop cut, in the photo's pixels, give or take one pixel of the picture
                    // it was cut from.
                    const double q = original.width / sender.shownSizes.front().width;
                    const cg::Rect f = sender.frames.front();
                    const cg::Rect window(f.minX() * q, f.minY() * q, f.width() * q, f.height() * q);
                    const cg::Rect box = found.front();
                    // The largest window of the target's shape inside the photo.
                    const double k = std::min(original.width / t.width, original.height / t.height);
                    const auto holds = [&](double lo, double hi, double boxLo, double boxHi) {
                        return lo - q <= boxLo && boxHi <= hi + q;
                    };
                    // Held whole on each side along which it fits; else centred across it.
                    const bool fitsAcross = box.width() <= t.width * k,
                               fitsDown = box.height() <= t.height * k;
                    EXPECT_TRUE(fitsAcross ? holds(window.minX(), window.maxX(), box.minX(), box.maxX())
                                           : std::abs(window.midX() - box.midX()) <= q)
                        << "window " << window.minX() << " to " << window.maxX() << ", face " << box.minX()
                        << " to " << box.maxX();
                    EXPECT_TRUE(!fitsDown || holds(window.minY(), window.maxY(), box.minY(), box.maxY()))
                        << "window " << window.minY() << " to " << window.maxY() << ", face " << box.minY()
                        << " to " << box.maxY();
                    // Where the face fits down but its headroom does not, the room left goes below the face
                    // (the chin), up to the room the headroom gives it there, before any goes above it;
                    // unless the photo ends below the window.
                    const cg::Rect head = core::faceWithHeadroom(box);
                    const bool close = fitsDown && head.height() > t.height * k;
                    const double chin = std::min(head.maxY() - box.maxY(), window.height() - box.height());
                    const bool photoEnds = window.maxY() >= original.height - q;
                    EXPECT_TRUE(!close || photoEnds || window.maxY() - box.maxY() >= chin - q)
                        << "window " << window.minY() << " to " << window.maxY() << ", face " << box.minY()
                        << " to " << box.maxY() << ", room for the chin " << chin;
                    closeButWhole += fitsAcross && close;
                    chinHeld += close && !photoEnds;
                }
        }
    // Most cases are the close portraits where the face fits but its headroom does not.
    EXPECT_GE(closeButWhole, 40);
    // In most 16:9 ones the window could have cut the chin: the photo goes on below it.
    EXPECT_GE(chinHeld, 30);
}
