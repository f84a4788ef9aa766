#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Support/ImageSurgery.h"
#include "Support/JpegPadding.h"
#include "Support/OtherDecoders.h"
#include "Support/SyntheticPhoto.h"
#include "Support/TempDir.h"
#include "TestImages.h"

#include <gtest/gtest.h>
#include <tiffio.h>

namespace {

// A 1920 x 64 deflate TIFF in one strip: a photo's pixels, or bytes that are not deflate data.
void writeDeflateTiff(const std::filesystem::path& path, bool garbage) {
    const auto photo = testsupport::syntheticPhoto(1920, 64);
    std::size_t size = 0;
    void* pixels = photo.write_to_memory(&size);
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 1920);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 64);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, photo.bands());
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 64);
    if (garbage) {
        std::string bytes(5000, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 131 + 17);
        TIFFWriteRawStrip(tiff, 0, bytes.data(), tmsize_t(bytes.size()));
    } else {
        TIFFWriteEncodedStrip(tiff, 0, pixels, tmsize_t(size));
    }
    TIFFClose(tiff);
    g_free(pixels);
}

TEST(ThumbnailTest, LongSideFitsTheBoxWithoutEverEnlarging) {
    image::detail::ensureVipsStarted();
    testsupport::TempDir dir;
    auto portrait = imagetest::solid(1200, 600, {50, 60, 70}).copy();
    portrait.set(VIPS_META_ORIENTATION, 6);
    imagetest::save(portrait, dir / "portrait.jpg");
    imagetest::save(imagetest::solid(120, 60, {50, 60, 70}), dir / "small.png");
    dir.write("broken.jpg", "\xFF\xD8\xFF nothing");

    const auto big = image::thumbnail(dir / "portrait.jpg", {200, 200});
    ASSERT_TRUE(big);
    EXPECT_EQ(big->width(), 100);
    EXPECT_EQ(big->height(), 200);

    const auto small = image::thumbnail(dir / "small.png", {200, 200});
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width(), 120);
    EXPECT_EQ(small->height(), 60);

    // The formats read through ImageMagick and through the JPEG 2000 decoder.
    for (const std::string name : {"wide.bmp", "wide.jp2"}) {
        SCOPED_TRACE(name);
        imagetest::save(imagetest::solid(800, 400, {50, 60, 70}), dir / name);
        const auto thumb = image::thumbnail(dir / name, {200, 200});
        ASSERT_TRUE(thumb);
        EXPECT_EQ(thumb->size(), (cg::Size{200, 100}));
    }
    // Photos whose decoder warns far more than a hundred times, and reads every pixel: a zero byte before
    // each restart marker, one more byte before one of them where a reader's 64 KB buffer ends, stray
    // bytes after each of many header segments, many JFIF segments of a later revision.
    imagetest::save(testsupport::syntheticPhoto(751, 563), dir / "plain.jpg",
                    vips::VImage::option()->set("restart_interval", 2));
    const auto plain = testsupport::TempDir::read(dir / "plain.jpg");
    dir.write("restart-padded.jpg", testsupport::withPaddingBeforeRestarts(plain, std::string(1, '\0')));
    dir.write("restart-padded-at-64k.jpg",
              testsupport::withPaddedRestartAt(plain, std::string(1, '\0'), 64 * 1024 - 1));
    dir.write("header-padded.jpg", testsupport::withStrayBytesInHeader(plain, 120, std::string(2, '\0')));
    dir.write("later-jfif.jpg", testsupport::withLaterJfifSegments(plain, 150));
    for (const std::string name :
         {"restart-padded.jpg", "restart-padded-at-64k.jpg", "header-padded.jpg", "later-jfif.jpg"}) {
        SCOPED_TRACE(name);
        const auto reading = testsupport::readElsewhere(dir / name);
        EXPECT_TRUE(reading->whole) << reading->words;
        // libvips alone gives up on it.
        VipsImage* alone = vips_image_new_from_file((dir / name).c_str(), nullptr);
        std::size_t bytes = 0;
        void* pixels = alone ? vips_image_write_to_memory(alone, &bytes) : nullptr;
        EXPECT_EQ(pixels, nullptr);
        g_free(pixels);
        if (alone) g_object_unref(alone);
        vips_error_clear();
        const auto thumb = image::thumbnail(dir / name, {200, 200});
        ASSERT_TRUE(thumb);
        EXPECT_EQ(thumb->size(), (cg::Size{200, 150}));
    }
    // Decodes that fail part way where libvips goes on: a strip it leaves black, a GIF frame whose
    // data ends early, which it fills in. Such a picture is not the file's and is never handed out;
    // the format's own library reads the intact files to their end and fails on the others.
    writeDeflateTiff(dir / "intact.tif", false);
    writeDeflateTiff(dir / "garbage-strip.tif", true);
    imagetest::save(testsupport::syntheticPhoto(400, 300), dir / "intact.gif");
    dir.write("cut-frame.gif",
              testsupport::withZeroedFrameData(testsupport::TempDir::read(dir / "intact.gif")));
    for (const auto& [name, whole] : std::vector<std::pair<std::string, bool>>{{"intact.tif", true},
                                                                               {"garbage-strip.tif", false},
                                                                               {"intact.gif", true},
                                                                               {"cut-frame.gif", false}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(testsupport::readElsewhere(dir / name)->whole, whole);
        EXPECT_EQ(image::thumbnail(dir / name, {200, 200}).has_value(), whole);
    }
    EXPECT_FALSE(image::thumbnail(dir / "broken.jpg", {200, 200}));
    EXPECT_FALSE(image::thumbnail(dir / "absent.jpg", {200, 200}));
}

}  // namespace

TEST(ThumbnailTest, AJpegPreviewIsRefusedOnlyOnLibjpegsOwnWordsOfDamage) {
    testsupport::TempDir dir;
    imagetest::save(testsupport::syntheticPhoto(900, 700), dir / "photo.jpg");
    const std::string jpeg = testsupport::TempDir::read(dir / "photo.jpg");
    const std::size_t middle = (jpeg.find("\xff\xda") + jpeg.size()) / 2;
    // libvips gives no word of a JPEG decoder's warnings but their count: libjpeg's own account of the
    // file judges them, and only its words of damage refuse the picture.
    const image::detail::WarningLine counted{"read gave 3 warnings"};
    struct Case {
        std::string name;
        std::string bytes;
        bool whole;
    };
    const std::vector<Case> cases{
        {"stray-bytes.jpg", testsupport::withStrayBytesInHeader(jpeg, 3, std::string(2, '\0')), true},
        {"cut-scan.jpg", jpeg.substr(0, middle) + jpeg.substr(middle + 3000), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = dir.write(c.name, c.bytes);
        const auto reading = testsupport::libjpegReading(c.bytes);
        ASSERT_EQ(reading.whole, c.whole) << reading.words;
        EXPECT_EQ(image::thumbnail(file, {256, 256}).has_value(), c.whole);
        const auto verdict = image::detail::judgeRead({"jpeg", file}, {counted});
        EXPECT_EQ(verdict.kind, c.whole ? image::ReadVerdict::Kind::Whole : image::ReadVerdict::Kind::Damaged)
            << verdict.words;
    }
    // A file that libjpeg cannot give its account of (gone, or no longer a JPEG, since it was decoded):
    // the count alone names no damage.
    const auto replaced = dir.write("replaced.jpg", testsupport::pngChunk("IHDR", std::string(13, '\0')));
    for (const auto& file : {dir / "gone.jpg", replaced}) {
        SCOPED_TRACE(file.filename().string());
        const auto verdict = image::detail::judgeRead({"jpeg", file}, {counted});
        EXPECT_EQ(verdict.kind, image::ReadVerdict::Kind::Whole) << verdict.words;
    }
}
