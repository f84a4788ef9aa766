#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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
        const auto run = testsupport::runBatch("--output '" + out.string() + "' --presets-json '" + preset +
                                               "' '" + (dir / "in").string() + "'");
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
