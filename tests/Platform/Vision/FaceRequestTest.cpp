#include <gtest/gtest.h>

#include <filesystem>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "Platform/Vision/FaceRequest.h"
#include "SyntheticImages.h"

using namespace vision;

TEST(FaceRequest, AMissingFaceModelIsReportedNotCrashed) {
    auto picture = visiontest::noisyField(320, 240);
    const ImageRequestHandler handler(PixelBuffer{320, 240, 1, picture.pixels.data(), 0});

    const auto notInstalled = FaceRequest(std::string()).perform(handler);
    ASSERT_TRUE(notInstalled.error.has_value());
    EXPECT_NE(notInstalled.error->find("opencv-data"), std::string::npos) << *notInstalled.error;
    EXPECT_TRUE(notInstalled.results.empty());

    const auto unreadable = FaceRequest("/nonexistent/face-model.xml").perform(handler);
    ASSERT_TRUE(unreadable.error.has_value());
    EXPECT_NE(unreadable.error->find("/nonexistent/face-model.xml"), std::string::npos);
}

// Coloured noise as the detectors see a photo of it: blobs of about `blob` pixels in each of the three
// channels independently, around mid-grey, with a little fine grain (RGB, packed rows).
cv::Mat colouredBlobs(int width, int height, int blob, int seed) {
    cv::RNG random(seed);
    cv::Mat coarse(height / blob + 2, width / blob + 2, CV_32FC3), grain(height, width, CV_32FC3), blobs;
    random.fill(coarse, cv::RNG::NORMAL, cv::Scalar::all(128), cv::Scalar::all(70));
    cv::resize(coarse, blobs, cv::Size(), blob, blob, cv::INTER_CUBIC);
    random.fill(grain, cv::RNG::NORMAL, cv::Scalar::all(0), cv::Scalar::all(5));
    cv::Mat picture;
    cv::Mat(blobs(cv::Rect(0, 0, width, height)) + grain).convertTo(picture, CV_8UC3);
    return picture;
}

TEST(FaceRequest, NoFaceInNoise) {
    if (!FaceRequest::defaultCascadePath()) GTEST_SKIP() << "the face model of opencv-data is not installed";
    auto grey = visiontest::noisyField(640, 480);
    EXPECT_TRUE(FaceRequest()
                    .perform(ImageRequestHandler(PixelBuffer{640, 480, 1, grey.pixels.data(), 0}))
                    .results.empty())
        << "fine grey noise";
    // The 800-pixel copy of a 6000 x 4000 photo of coloured noise: blobs of 50 pixels become 7. The
    // cascades see eyes and a mouth in some of their patterns.
    struct Case {
        int width, height, blob, seed;
    };
    for (const Case c : {Case{800, 533, 7, 1}, Case{800, 533, 7, 2}, Case{800, 533, 7, 3},
                         Case{800, 533, 7, 4}, Case{800, 600, 5, 5}, Case{800, 600, 10, 6}}) {
        const cv::Mat rgb = colouredBlobs(c.width, c.height, c.blob, c.seed);
        const auto result = FaceRequest().perform(
            ImageRequestHandler(PixelBuffer{rgb.cols, rgb.rows, 3, rgb.data, rgb.step[0]}));
        EXPECT_FALSE(result.error.has_value());
        EXPECT_TRUE(result.results.empty()) << "coloured blobs of " << c.blob << " px, seed " << c.seed
                                            << ": " << result.results.size() << " faces";
    }
}

TEST(FaceRequest, StripsAndSpecksFindNoFaceAndReportNoFailure) {
    if (!FaceRequest::defaultCascadePath()) GTEST_SKIP() << "the face model of opencv-data is not installed";
    // The copies of panoramas, of a line of pixels and of a photo of a few pixels: smaller than the
    // cascade's window on one side, or on both once the copy is reduced for the larger faces.
    for (const cv::Size size : {cv::Size(800, 1), cv::Size(1, 800), cv::Size(800, 20), cv::Size(30, 800),
                                cv::Size(3, 2), cv::Size(1, 1), cv::Size(40, 40)}) {
        auto picture = visiontest::noisyField(size.width, size.height);
        const auto result = FaceRequest().perform(
            ImageRequestHandler(PixelBuffer{size.width, size.height, 1, picture.pixels.data(), 0}));
        EXPECT_FALSE(result.error.has_value()) << size.width << " x " << size.height << ": " << *result.error;
        EXPECT_TRUE(result.results.empty()) << size.width << " x " << size.height;
    }
}

TEST(FaceRequest, FindsTheOneFaceOfTheTestPortrait) {
    if (!FaceRequest::defaultCascadePath()) GTEST_SKIP() << "the face model of opencv-data is not installed";
    const std::filesystem::path photo = std::filesystem::path(VORTA_TEST_DATA_DIR) / "astronaut.jpg";
    cv::Mat bgr = cv::imread(photo.string());
    ASSERT_FALSE(bgr.empty()) << photo;
    cv::Mat rgb;
    cv::cvtColor(bgr, rgb, cv::COLOR_BGR2RGB);
    const ImageRequestHandler handler(PixelBuffer{rgb.cols, rgb.rows, 3, rgb.data, rgb.step[0]});

    const auto result = FaceRequest().perform(handler);
    ASSERT_FALSE(result.error.has_value());
    // The astronaut's face, about 96 pixels wide at (176, 65) from the top left of the 512 × 512 photo. The
    // helmet, the flag and the folds of the suit are no faces.
    ASSERT_EQ(result.results.size(), 1u);
    const FaceObservation& face = result.results.front();
    EXPECT_TRUE(face.hasLandmarks);
    const cg::Rect expected(176.0 / 512, 1 - (65.0 + 96) / 512, 96.0 / 512, 96.0 / 512);
    EXPECT_TRUE(face.boundingBox.insetBy(-0.02, -0.02).contains(expected));
    EXPECT_LT(face.boundingBox.width(), 1.3 * expected.width());
}
