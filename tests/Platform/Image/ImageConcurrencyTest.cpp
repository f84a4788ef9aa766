#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Support/TempDir.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Worker threads of a batch and of the list's thumbnails use the layer at once, on the same file.
TEST(ImageConcurrencyTest, ManyThreadsLoadScaleAndEncodeAtOnce) {
    image::detail::ensureVipsStarted();
    testsupport::TempDir dir;
    const auto file = dir / "shared.jpg";
    imagetest::save(imagetest::stripes(600, 400, {200, 0, 0}, {0, 200, 0}, {0, 0, 200}), file);
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            const auto loaded = image::loadImage(file);
            const auto info = image::readImageInfo(file);
            const auto small = image::thumbnail(file, {200, 200});
            if (!loaded || !info || !small) return;
            const auto scaled = image::resized(*loaded, {150.0 + t, 100});
            const auto bytes = scaled ? image::encodedData(*scaled, t % 2 ? "png" : "jpg") : std::nullopt;
            if (!bytes) return;
            const auto back = image::loadImage(std::span<const std::uint8_t>(*bytes));
            if (back && back->width() == 150 + t && small->width() == 200) ++good;
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(good, 8);
}

}  // namespace
