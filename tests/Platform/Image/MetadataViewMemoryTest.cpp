#include <gtest/gtest.h>

#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/VipsImage.h"
#include "Support/ImageSurgery.h"
#include "Support/LargeMetadata.h"
#include "Support/PeakMemory.h"
#include "Support/Sanitizers.h"
#include "Support/TempDir.h"

using testsupport::TempDir;

namespace {

constexpr long kMegabyte = 1024;  // in kB

}  // namespace

TEST(MetadataViewMemory, ATiffWithAHugeTagCostsLittleOnEveryPathAndKeepsItsPixels) {
    // libtiff reads every entry of a directory whole, and libvips copies what it attaches: a 200 MB tag
    // would cost several times that on each read of a 64 x 48 image.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's allocator says nothing of this one's";
    constexpr std::uint64_t kTagBytes = 200ull << 20;
    struct Case {
        const char* name;
        std::uint16_t tag, type;
    };
    const Case cases[] = {{"private", 65000, 7},
                          {"ICC", 34675, 7},
                          {"GeoAscii", 34737, 2},
                          {"XMP", 700, 1},
                          {"description", 270, 2}};
    TempDir dir;
    for (const auto& c : cases) {
        const auto file = dir / (std::string(c.name) + ".tif");
        testsupport::writeTiffWithLargeTag(file, c.tag, c.type, kTagBytes);
        std::optional<image::ImageInfo> info;
        const auto header = testsupport::peakGrowthKilobytes([&] { info = image::readImageInfo(file); });
        if (!header) GTEST_SKIP() << "the kernel does not let the peak memory be reset";
        ASSERT_TRUE(info) << c.name;
        EXPECT_EQ(info->pixelWidth, 64) << c.name;
        EXPECT_LT(*header, 100 * kMegabyte) << c.name;

        std::optional<image::Image> small;
        const auto preview = testsupport::peakGrowthKilobytes([&] {
            small = image::thumbnail(file, {32, 32});
        });
        ASSERT_TRUE(small) << c.name;
        EXPECT_LT(*preview, 100 * kMegabyte) << c.name;

        std::optional<image::Image> whole;
        const auto load = testsupport::peakGrowthKilobytes([&] {
            whole = image::loadImage(file);
            if (whole) whole = image::rendered(*whole);
        });
        ASSERT_TRUE(whole) << c.name;
        EXPECT_LT(*load, 100 * kMegabyte) << c.name;
        // The pixels as they were written: the view leaves out metadata, never image data.
        EXPECT_EQ(image::toVips(*whole).min(), 90) << c.name;
        EXPECT_EQ(image::toVips(*whole).max(), 90) << c.name;
    }
}

TEST(MetadataViewMemory, OverlappingTiffDirectoriesHoldABoundedView) {
    // 1024 directories of 16,000 entries, each starting one entry after the one before: 200 KB of file
    // whose directories add up to 196 MB. The view of the file holds at most a bounded part of them.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's allocator says nothing of this one's";
    TempDir dir;
    const auto file = dir.write("overlapping.tif", testsupport::tiffOfOverlappingDirectories(16000, 1024));
    const auto growth = testsupport::peakGrowthKilobytes([&] { (void)image::readImageInfo(file); });
    if (!growth) GTEST_SKIP() << "the kernel does not let the peak memory be reset";
    EXPECT_LT(*growth, 48 * kMegabyte);
}

TEST(MetadataViewMemory, AJpegWithThousandsOfMetadataSegmentsCostsLittleToRead) {
    // 2,000 XMP segments of 64 KB before the image (128 MB): libjpeg would keep every one on each
    // open; only the first is ever used.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's allocator says nothing of this one's";
    TempDir dir;
    const auto photo = vips::VImage::black(64, 48, vips::VImage::option()->set("bands", 3)) + 90;
    const auto original = dir / "photo.jpg";
    photo.cast(VIPS_FORMAT_UCHAR).jpegsave(original.c_str());
    const auto file = [&] {
        const std::string xmp = std::string("http://ns.adobe.com/xap/1.0/") + '\0' + std::string(65000, 'x');
        std::string segments;
        for (int i = 0; i < 2000; ++i) segments += testsupport::jpegSegment('\xe1', xmp);
        return dir.write("segments.jpg",
                         testsupport::withJpegSegmentsAtStart(TempDir::read(original), segments));
    }();

    std::optional<image::Image> whole;
    const auto growth = testsupport::peakGrowthKilobytes([&] {
        whole = image::loadImage(file);
        if (whole) whole = image::rendered(*whole);
    });
    if (!growth) GTEST_SKIP() << "the kernel does not let the peak memory be reset";
    ASSERT_TRUE(whole);
    EXPECT_LT(*growth, 48 * kMegabyte);
}
