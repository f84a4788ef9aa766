#include "Platform/Image/DecodeBudget.h"
#include "Platform/Image/DecodeMemory.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Support/ImageSurgery.h"
#include "Support/OtherDecoders.h"
#include "Support/TempDir.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <mutex>
#include <string>
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

// Headers that fail on many threads at once are each judged by their own decoder's words: libvips
// keeps one error text for the whole process, which the other threads add to and empty meanwhile.
TEST(ImageConcurrencyTest, HeadersFailingOnManyThreadsAtOnceAreEachJudgedByTheirOwnWords) {
    image::detail::ensureVipsStarted();
    testsupport::TempDir dir;
    const auto ramp = vips::VImage::xyz(16500, 256).extract_band(0) * (255.0 / 16500);
    ramp.bandjoin(ramp)
        .bandjoin(ramp)
        .cast(VIPS_FORMAT_UCHAR)
        .write_to_file((dir / "wide.heic[compression=hevc]").c_str());
    imagetest::save(imagetest::stripes(600, 400, {200, 0, 0}, {0, 200, 0}, {0, 0, 200}), dir / "photo.heic");
    const std::string photo = testsupport::TempDir::read(dir / "photo.heic");
    struct Case {
        std::filesystem::path file;
        image::ReadFailure failure;
        std::string own;  // words only this file's decoder says
    };
    const std::vector<Case> cases = {
        {dir / "wide.heic", image::ReadFailure::Unsupported, "16500x256"},
        {dir.write("cut.heic", photo.substr(0, photo.size() / 2)), image::ReadFailure::Damaged, "iloc"},
        {dir.write("wide.png", testsupport::pngOf(20'000'000, 1, 0,
                                                  std::string(1, '\0') + std::string(20'000'000, '\x80'))),
         image::ReadFailure::Unsupported, "1,000,000"},
    };
    for (const auto& c : cases) {
        const auto elsewhere = testsupport::readElsewhere(c.file);
        ASSERT_TRUE(elsewhere && !elsewhere->whole) << c.file << " is read whole by another decoder";
    }
    std::mutex mutex;
    std::vector<std::string> wrong;
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 40; ++round) {
                const auto& c = cases[(t + round) % cases.size()];
                std::string error;
                auto failure = image::ReadFailure::NotAnImage;
                const bool read = image::readImageInfo(c.file, &error, &failure).has_value();
                bool others = false;
                for (const auto& other : cases)
                    others = others || (&other != &c && error.find(other.own) != std::string::npos);
                if (read || failure != c.failure || error.find(c.own) == std::string::npos || others) {
                    const std::lock_guard lock(mutex);
                    wrong.push_back(c.file.filename().string() + ": " + error);
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " of 320 reads, e.g. " << wrong.front();
}

// Eight workers share a budget: what they hold at once never passes it, an image larger than the
// whole budget runs alone and is not passed for ever by smaller ones, and a stopped worker stops
// waiting.
TEST(ImageConcurrencyTest, DecodeBudgetBoundsWhatWorkersHoldAtOnce) {
    constexpr std::uint64_t kBudget = 1000;
    image::DecodeBudget budget(kBudget);
    std::mutex mutex;
    std::uint64_t held = 0, mostHeld = 0, heldBesideLarge = 0;
    int holders = 0, mostHolders = 0;
    std::atomic<int> served{0};
    const auto work = [&](int worker) {
        for (int round = 0; round < 40; ++round) {
            // Worker 0 asks for more than the whole budget now and then.
            const std::uint64_t bytes =
                worker == 0 && round % 10 == 0 ? 2 * kBudget : 100 + 97 * ((worker + round) % 7);
            const auto reservation = budget.reserve(bytes, {});
            ASSERT_TRUE(reservation);
            {
                const std::lock_guard lock(mutex);
                held += bytes;
                ++holders;
                mostHeld = std::max(mostHeld, bytes > kBudget ? held - bytes : held);
                if (bytes > kBudget) heldBesideLarge = std::max(heldBesideLarge, held - bytes);
                mostHolders = std::max(mostHolders, holders);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            {
                const std::lock_guard lock(mutex);
                held -= bytes;
                --holders;
                if (bytes > kBudget) heldBesideLarge = std::max(heldBesideLarge, held);
            }
            ++served;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) threads.emplace_back(work, t);
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(served, 8 * 40);
    EXPECT_LE(mostHeld, kBudget);
    EXPECT_EQ(heldBesideLarge, 0u);
    EXPECT_GT(mostHolders, 1);  // the budget lets small images run side by side
    EXPECT_EQ(budget.reservedBytes(), 0u);

    // A worker waiting behind a reservation stops when its job is stopped.
    const auto taken = budget.reserve(kBudget, {});
    std::atomic<bool> stop{false};
    std::thread waiter([&] {
        const auto none = budget.reserve(1, [&] { return stop.load(); });
        EXPECT_FALSE(none);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop = true;
    waiter.join();
    EXPECT_EQ(budget.reservedBytes(), kBudget);

    // A hostile file can claim any size: a claim near the largest number waits like any other large
    // one instead of wrapping round to a few bytes.
    std::atomic<bool> giveUp{false};
    std::thread huge([&] {
        const auto none =
            budget.reserve(std::numeric_limits<std::uint64_t>::max() - 10, [&] { return giveUp.load(); });
        EXPECT_FALSE(none) << "it never runs beside another reservation";
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    giveUp = true;
    huge.join();
    EXPECT_EQ(image::detail::headerReadMemory({}, std::numeric_limits<std::uint64_t>::max() / 2),
              std::numeric_limits<std::uint64_t>::max());
}

}  // namespace
