#include <gtest/gtest.h>

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
