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

TEST(FaceRequest, NoFaceInNoise) {
    if (!FaceRequest::defaultCascadePath()) GTEST_SKIP() << "the face model of opencv-data is not installed";
    auto picture = visiontest::noisyField(640, 480);
    const auto result =
        FaceRequest().perform(ImageRequestHandler(PixelBuffer{640, 480, 1, picture.pixels.data(), 0}));
    EXPECT_FALSE(result.error.has_value());
    EXPECT_TRUE(result.results.empty());
}

TEST(FaceRequest, FindsTheOneFaceOfASamplePortrait) {
    const std::filesystem::path photo = "/usr/share/doc/opencv-doc/examples/data/messi5.jpg";
    if (!std::filesystem::exists(photo)) GTEST_SKIP() << "opencv-doc's sample photos are not installed";
    if (!FaceRequest::defaultCascadePath()) GTEST_SKIP() << "the face model of opencv-data is not installed";
    cv::Mat bgr = cv::imread(photo.string());
    ASSERT_FALSE(bgr.empty());
    cv::Mat rgb;
    cv::cvtColor(bgr, rgb, cv::COLOR_BGR2RGB);
    const ImageRequestHandler handler(PixelBuffer{rgb.cols, rgb.rows, 3, rgb.data, rgb.step[0]});

    const auto result = FaceRequest().perform(handler);
    ASSERT_FALSE(result.error.has_value());
    // The player's face, 37 pixels wide at (226, 94) from the top left of the 548 × 342 photo. A weaker,
    // larger detection overlapping it (crowd and shoulder) is dropped.
    ASSERT_EQ(result.results.size(), 1u);
    const FaceObservation& face = result.results.front();
    EXPECT_TRUE(face.hasLandmarks);
    const cg::Rect expected(226.0 / 548, 1 - (94.0 + 37) / 342, 37.0 / 548, 37.0 / 342);
    EXPECT_TRUE(face.boundingBox.insetBy(-0.02, -0.02).contains(expected));
    EXPECT_LT(face.boundingBox.width(), 2 * expected.width());
}
