#include <gtest/gtest.h>

#include <vips/vips.h>

#include <new>

#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/VipsRuntime.h"

TEST(ErrorCapture, LibvipsOwnCallsReachEveryEntryPointTakenOver) {
    // A read's error lines are its own only when libvips' calls come here: its error calls, the
    // freezing and thawing around a probe, and the pipelines its workers run. One it made directly
    // would leave lines uncaptured or a probe's lines taken for the read's.
    image::detail::ensureVipsStarted();
    using image::detail::EntryPoint;
    const unsigned reached = image::detail::entryPointsReached();
    for (const auto& [point, name] : {std::pair{EntryPoint::Error, "vips_verror"},
                                      {EntryPoint::Freeze, "vips_error_freeze"},
                                      {EntryPoint::Thaw, "vips_error_thaw"},
                                      {EntryPoint::Threadpool, "vips_threadpool_run"}})
        EXPECT_TRUE(reached & unsigned(point)) << name;
    EXPECT_TRUE(image::detail::errorsAreCaptured());
}

namespace {

// A decoder that runs out of memory as C++ code does: by throwing, through libvips.
int throwingGenerate(VipsRegion*, void*, void*, void*, gboolean*) {
    throw std::bad_alloc();
}

}  // namespace

TEST(ErrorCapture, ADecoderThrowingForWantOfMemoryFailsItsPipelineWithoutEndingTheProcess) {
    image::detail::ensureVipsStarted();
    VipsImage* image = vips_image_new();
    vips_image_init_fields(image, 512, 512, 1, VIPS_FORMAT_UCHAR, VIPS_CODING_NONE, VIPS_INTERPRETATION_B_W,
                           1, 1);
    ASSERT_EQ(vips_image_pipelinev(image, VIPS_DEMAND_STYLE_SMALLTILE, nullptr), 0);
    ASSERT_EQ(vips_image_generate(image, nullptr, throwingGenerate, nullptr, nullptr, nullptr), 0);
    const image::detail::OwnErrors own;
    double average = 0;
    EXPECT_NE(vips_avg(image, &average, nullptr), 0);
    g_object_unref(image);
    EXPECT_NE(own.text().find("out of memory"), std::string::npos) << own.text();
}
