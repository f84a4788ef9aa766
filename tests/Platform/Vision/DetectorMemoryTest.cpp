#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Vision/FaceRequest.h"
#include "Platform/Vision/SaliencyRequest.h"
#include "Support/PeakMemory.h"
#include "Support/Sanitizers.h"
#include "SyntheticImages.h"

using namespace vision;

using testsupport::resetPeak;
using testsupport::statusKilobytes;

TEST(DetectorMemory, AllRequestsOnA12000PixelWideImageStayWithinBudget) {
    // The budget beyond the image itself: the analysis copy and the maps of a 1536-pixel copy need a few
    // tens of megabytes; working at full size would need gigabytes (a float map alone is 384 MB).
    constexpr long budgetKilobytes = 64 * 1024;
    auto picture = visiontest::noisyField(12000, 8000);
    visiontest::addDisc(picture, 9000, 2000, 900);
    const PixelBuffer buffer{12000, 8000, 1, picture.pixels.data(), 0};

    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's shadow memory swamps the measurement";
    if (!resetPeak()) GTEST_SKIP() << "the kernel does not let the peak memory be reset";
    const long before = statusKilobytes("VmRSS");
    ASSERT_GT(before, 0);
    {
        const ImageRequestHandler handler(buffer);
        const auto attention = SaliencyRequest(SaliencyKind::attentionBased).perform(handler);
        const auto objectness = SaliencyRequest(SaliencyKind::objectnessBased).perform(handler);
        const auto faces = FaceRequest().perform(handler);
        ASSERT_TRUE(attention && objectness);
        EXPECT_FALSE(attention->salientObjects.empty());
        EXPECT_TRUE(faces.results.empty());
    }
    const long growth = statusKilobytes("VmHWM") - before;
    EXPECT_LT(growth, budgetKilobytes) << "detectors used " << growth / 1024 << " MB beyond the image";
}

TEST(DetectorMemory, AnImageIsReducedWhileItStreamsIn) {
    // A lazily generated 12000 × 4000 RGB pattern: building the analysis copy must never hold it whole
    // (144 MB), so the peak stays within the same budget as the detectors.
    constexpr long budgetKilobytes = 64 * 1024;
    image::detail::ensureVipsStarted();
    const vips::VImage waves = vips::VImage::sines(12000, 4000).linear(100, 110).cast(VIPS_FORMAT_UCHAR);
    const image::Image large = image::fromVips(waves.bandjoin({waves, waves}));

    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's shadow memory swamps the measurement";
    if (!resetPeak()) GTEST_SKIP() << "the kernel does not let the peak memory be reset";
    const long before = statusKilobytes("VmRSS");
    {
        const ImageRequestHandler handler(large);
        EXPECT_EQ(handler.analysisWidth(), ImageRequestHandler::maxAnalysisSide);
        EXPECT_EQ(handler.analysisHeight(), 512);
        EXPECT_TRUE(SaliencyRequest(SaliencyKind::objectnessBased).perform(handler).has_value());
        EXPECT_FALSE(FaceRequest().perform(handler).error.has_value());
    }
    const long growth = statusKilobytes("VmHWM") - before;
    EXPECT_LT(growth, budgetKilobytes) << "the analysis used " << growth / 1024 << " MB";
}
