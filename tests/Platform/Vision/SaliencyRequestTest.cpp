#include <gtest/gtest.h>

#include "Platform/Vision/SaliencyRequest.h"
#include "SyntheticImages.h"

using namespace vision;

namespace {

PixelBuffer bufferOf(const visiontest::GreyPicture& p) {
    return {p.width, p.height, 1, p.pixels.data(), 0};
}

// The disc's bounding box in Vision's convention: normalised, origin at the bottom left.
cg::Rect normalisedDisc(int cx, int cy, int r, int width, int height) {
    return cg::Rect(double(cx - r) / width, 1.0 - double(cy + r) / height, 2.0 * r / width, 2.0 * r / height);
}

bool containsWithSlack(const cg::Rect& outer, const cg::Rect& inner, double slack) {
    return outer.insetBy(-slack, -slack).contains(inner);
}

}  // namespace

TEST(SaliencyRequest, BothKindsBoxTheBrightObjectInBottomLeftCoordinates) {
    // One bright disc in the upper right of a noisy flat field: its box must sit in the upper half in
    // Vision's y-up convention, contain the disc, and leave most of the picture out.
    auto picture = visiontest::noisyField(800, 600);
    visiontest::addDisc(picture, 580, 170, 70);
    const ImageRequestHandler handler(bufferOf(picture));
    const cg::Rect disc = normalisedDisc(580, 170, 70, 800, 600);

    for (const SaliencyKind kind : {SaliencyKind::attentionBased, SaliencyKind::objectnessBased}) {
        SCOPED_TRACE(kind == SaliencyKind::attentionBased ? "attention" : "objectness");
        const auto observation = SaliencyRequest(kind).perform(handler);
        ASSERT_TRUE(observation.has_value());
        ASSERT_FALSE(observation->salientObjects.empty());
        if (kind == SaliencyKind::attentionBased) {
            EXPECT_EQ(observation->salientObjects.size(), 1u);
        }
        EXPECT_LE(observation->salientObjects.size(), std::size_t(SaliencyRequest::maxObjects));
        const cg::Rect box = observation->salientObjects.front().boundingBox;
        EXPECT_TRUE(containsWithSlack(box, disc, 0.01))
            << box.origin.x << "," << box.origin.y << " " << box.size.width << "x" << box.size.height;
        EXPECT_GT(box.midY(), 0.5);
        EXPECT_LT(box.width() * box.height(), 0.5);
        EXPECT_GE(box.minX(), 0.0);
        EXPECT_LE(box.maxY(), 1.0);
    }
}

TEST(SaliencyRequest, NothingStandsOutInAFlatPictureOrAnEmptyHandler) {
    std::vector<std::uint8_t> flat(300 * 200, 128);
    const ImageRequestHandler handler(PixelBuffer{300, 200, 1, flat.data(), 0});
    for (const SaliencyKind kind : {SaliencyKind::attentionBased, SaliencyKind::objectnessBased}) {
        const auto observation = SaliencyRequest(kind).perform(handler);
        if (observation) {
            EXPECT_TRUE(observation->salientObjects.empty());
        }
    }
    const ImageRequestHandler empty(PixelBuffer{});
    EXPECT_FALSE(empty.isValid());
    EXPECT_FALSE(SaliencyRequest(SaliencyKind::attentionBased).perform(empty).has_value());
}

TEST(ImageRequestHandler, AnalysesAReducedCopyOfALargeImage) {
    // A padded, RGB buffer: strides and channel order must not matter.
    const int width = 4000, height = 1000, stride = width * 3 + 16;
    std::vector<std::uint8_t> pixels(std::size_t(stride) * height, 100);
    const ImageRequestHandler handler(PixelBuffer{width, height, 3, pixels.data(), std::size_t(stride)});
    EXPECT_EQ(handler.analysisWidth(), ImageRequestHandler::maxAnalysisSide);
    EXPECT_EQ(handler.analysisHeight(), 384);

    std::vector<std::uint8_t> small(200 * 100 * 4, 50);
    const ImageRequestHandler unchanged(PixelBuffer{200, 100, 4, small.data(), 0});
    EXPECT_EQ(unchanged.analysisWidth(), 200);
    EXPECT_EQ(unchanged.analysisHeight(), 100);
}
