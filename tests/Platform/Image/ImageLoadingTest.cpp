#include "Platform/Image/DecodeWarnings.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageInfo.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/JpegDirect.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/JpegWithoutUnusedMetadata.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/TiffStripData.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"
#include "Support/ImageSurgery.h"
#include "Support/JpegPadding.h"
#include "Support/OtherDecoders.h"
#include "Support/StripTiffs.h"
#include "Support/SyntheticPhoto.h"
#include "Support/TempDir.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

using imagetest::meanAt;

namespace {

class ImageLoadingTest : public ::testing::Test {
  protected:
    void SetUp() override { image::detail::ensureVipsStarted(); }
    testsupport::TempDir dir;
};

// `image` with libvips' built-in profile `name` attached.
vips::VImage withProfile(vips::VImage image, const char* name) {
    image = image.copy();
    VipsBlob* profile = nullptr;
    if (vips_profile_load(name, &profile, nullptr) != 0) throw vips::VError();
    std::size_t length = 0;
    const void* bytes = vips_blob_get(profile, &length);
    vips_image_set_blob_copy(image.get_image(), VIPS_META_ICC_NAME, bytes, length);
    vips_area_unref(VIPS_AREA(profile));
    return image;
}

void expectColour(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance) {
    ASSERT_GE(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "band " << i;
}

TEST_F(ImageLoadingTest, ExifRotatedPhotoLoadsUprightWithoutOrientation) {
    // Stored 300 x 200, red above blue, with orientation 6: a viewer turns it a quarter clockwise,
    // which puts the red half on the right.
    auto stored = imagetest::halves(300, 200, {255, 0, 0}, {0, 0, 255}).copy();
    stored.set(VIPS_META_ORIENTATION, 6);
    const auto file = dir / "turned.jpg";
    imagetest::save(stored, file);

    const auto info = image::readImageInfo(file);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pixelWidth, 200);
    EXPECT_EQ(info->pixelHeight, 300);
    EXPECT_EQ(info->format, "jpeg");
    EXPECT_TRUE(info->isLoadable());

    const auto loaded = image::loadImage(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(image::pixelSize(*loaded), (cg::Size{200, 300}));
    const auto& pixels = image::toVips(*loaded);
    EXPECT_EQ(pixels.get_typeof(VIPS_META_ORIENTATION), 0u);
    expectColour(meanAt(pixels, 120, 20, 60, 260), {255, 0, 0}, 8);
    expectColour(meanAt(pixels, 20, 20, 60, 260), {0, 0, 255}, 8);
}

TEST_F(ImageLoadingTest, EveryInputKindBecomesEightBitSRGB) {
    struct Case {
        std::string name;
        vips::VImage image;
        int bands;
    };
    const auto grey = imagetest::solid(40, 30, {128})
                          .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
    const auto rgb16 = (imagetest::solid(40, 30, {200, 100, 50}).cast(VIPS_FORMAT_USHORT) * 257)
                           .cast(VIPS_FORMAT_USHORT)
                           .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16));
    const auto rgba = imagetest::solid(40, 30, {10, 200, 30, 128});
    const auto cmyk = imagetest::solid(40, 30, {0, 255, 255, 0})
                          .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_CMYK));
    // 16-bit with a 16-bit alpha and a wide-gamut profile: the alpha must be scaled, not clipped.
    const auto deepAlpha =
        withProfile((imagetest::solid(40, 30, {0, 0, 0, 0}).cast(VIPS_FORMAT_USHORT) +
                     std::vector<double>{50000, 10000, 30000, 40000})
                        .cast(VIPS_FORMAT_USHORT)
                        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16)),
                    "p3");
    const std::vector<Case> cases{{"grey.png", grey, 3},
                                  {"deep.png", rgb16, 3},
                                  {"alpha.png", rgba, 4},
                                  {"cmyk.jpg", cmyk, 3},
                                  {"deepalpha.png", deepAlpha, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        imagetest::save(c.image, dir / c.name);
        const auto loaded = image::loadImage(dir / c.name);
        ASSERT_TRUE(loaded);
        const auto& pixels = image::toVips(*loaded);
        EXPECT_EQ(pixels.format(), VIPS_FORMAT_UCHAR);
        EXPECT_EQ(pixels.interpretation(), VIPS_INTERPRETATION_sRGB);
        EXPECT_EQ(pixels.bands(), c.bands);
        EXPECT_EQ(loaded->hasAlpha(), c.bands == 4);
    }
    // The 16-bit colour keeps its value at 8 bits; CMYK 0/100/100/0 is a strong red.
    expectColour(meanAt(image::toVips(*image::loadImage(dir / "deep.png")), 0, 0, 40, 30), {200, 100, 50}, 1);
    const auto red = meanAt(image::toVips(*image::loadImage(dir / "cmyk.jpg")), 0, 0, 40, 30);
    EXPECT_GT(red[0], 180);
    EXPECT_LT(red[1], 80);
    EXPECT_LT(red[2], 80);
    expectColour(meanAt(image::toVips(*image::loadImage(dir / "alpha.png")), 0, 0, 40, 30),
                 {10, 200, 30, 128}, 1);
    EXPECT_NEAR(meanAt(image::toVips(*image::loadImage(dir / "deepalpha.png")), 0, 0, 40, 30)[3],
                40000 / 257.0, 1);
}

TEST_F(ImageLoadingTest, BrokenFilesGiveNoImageAndAReason) {
    const auto empty = dir.write("empty.jpg", "");
    const auto text = dir.write("notes.jpg", "This is a shopping list, not a photo.\n");
    const auto bogusBmp = dir.write("fake.bmp", "P3\n1 1\n255\n0 0 0\n");  // a text image format
    for (const auto& path : {empty, text, bogusBmp, dir / "missing.png"}) {
        SCOPED_TRACE(path.filename().string());
        std::string error;
        EXPECT_FALSE(image::loadImage(path, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(image::readImageInfo(path));
    }
    EXPECT_FALSE(image::loadImage(std::span<const std::uint8_t>{}));
    const std::string garbage = "GIF89a but nothing after";
    EXPECT_FALSE(
        image::loadImage(std::span(reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size())));
}

TEST_F(ImageLoadingTest, ImagesAboveTheBoundAreRefusedByTheirHeader) {
    const auto huge = dir.write("huge.jpg", imagetest::jpegClaimingSize(20000, 15000));
    const auto info = image::readImageInfo(huge);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pixelWidth, 20000);
    EXPECT_TRUE(info->tooLarge);
    EXPECT_FALSE(info->isLoadable());
    std::string error;
    EXPECT_FALSE(image::loadImage(huge, &error));
    EXPECT_NE(error.find("too large"), std::string::npos);
    EXPECT_FALSE(image::loadImage(huge, cg::Size{100, 100}));

    const auto fine = dir.write("fine.jpg", imagetest::jpegClaimingSize(10000, 10000));
    EXPECT_FALSE(image::readImageInfo(fine)->tooLarge);
}

TEST_F(ImageLoadingTest, BytesLoadLikeFilesAndOutliveTheirBuffer) {
    auto stored = imagetest::halves(60, 40, {0, 255, 0}, {0, 0, 0}).copy();
    stored.set(VIPS_META_ORIENTATION, 8);
    imagetest::save(stored, dir / "bytes.jpg");
    std::optional<image::Image> loaded;
    {
        const auto bytes = imagetest::readBytes(dir / "bytes.jpg");
        loaded = image::loadImage(std::span<const std::uint8_t>(bytes));
    }
    ASSERT_TRUE(loaded);
    EXPECT_EQ(image::pixelSize(*loaded), (cg::Size{40, 60}));
    // Orientation 8 turns a quarter anticlockwise: the green top goes to the left.
    expectColour(meanAt(image::toVips(*loaded), 2, 5, 15, 50), {0, 255, 0}, 8);
}

TEST_F(ImageLoadingTest, ShrinkOnLoadStillCoversWhatTheCallerNeeds) {
    const auto file = dir / "big.jpg";
    imagetest::save(imagetest::solid(4000, 3000, {90, 120, 150}), file);
    const auto reduced = image::loadImage(file, cg::Size{400, 300});
    ASSERT_TRUE(reduced);
    EXPECT_EQ(reduced->size(), (cg::Size{500, 375}));  // an eighth: the most that still covers
    // A 1280 px output, in proportion: decoded at three eighths, between a half and a quarter.
    const auto photo = image::loadImage(file, cg::Size{1280, 853});
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->size(), (cg::Size{1500, 1125}));
    EXPECT_EQ(image::loadImage(file, cg::Size{1500, 1126})->size(), (cg::Size{2000, 1500}));
    // Nothing to save: full size.
    EXPECT_EQ(image::loadImage(file, cg::Size{3000, 2000})->width(), 4000);
    EXPECT_EQ(image::loadImage(file, cg::Size{0, 0})->width(), 4000);

    // An upright target on a sideways-stored photo is measured against the upright image.
    auto sideways = imagetest::solid(4000, 1000, {1, 2, 3}).copy();
    sideways.set(VIPS_META_ORIENTATION, 6);
    imagetest::save(sideways, dir / "side.jpg");
    const auto upright = image::loadImage(dir / "side.jpg", cg::Size{250, 1000});
    ASSERT_TRUE(upright);
    EXPECT_GE(upright->width(), 250);
    EXPECT_GE(upright->height(), 1000);
}

TEST_F(ImageLoadingTest, FormatComesFromTheContentNotTheName) {
    const auto picture = image::fromVips(imagetest::solid(30, 20, {1, 2, 3}));
    const std::vector<std::pair<std::string, std::string>> cases{
        {"png", "png"}, {"bmp", "bmp"}, {"gif", "gif"}, {"tif", "tiff"}, {"jp2", "jp2k"}, {"jpg", "jpeg"}};
    for (const auto& [extension, format] : cases) {
        SCOPED_TRACE(extension);
        const auto bytes = image::encodedData(picture, extension);
        ASSERT_TRUE(bytes);
        const auto path =
            dir.write("misnamed-" + extension + ".heic", std::string(bytes->begin(), bytes->end()));
        const auto info = image::readImageInfo(path);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->format, format);
        EXPECT_EQ(info->pixelWidth, 30);
        EXPECT_EQ(info->pixelHeight, 20);
        ASSERT_TRUE(image::loadImage(path));
    }
}

TEST_F(ImageLoadingTest, FileNamesAreTakenLiterally) {
    // libvips reads "name[options]" in a file name; a user's file name is only ever a name.
    const auto picture = imagetest::solid(30, 20, {1, 2, 3});
    for (const std::string name : {"scan [1]", "photo.jpg[shrink=8]", "[draft].png"}) {
        SCOPED_TRACE(name);
        imagetest::save(picture, dir / "plain.png");
        std::filesystem::rename(dir / "plain.png", dir / name);
        const auto loaded = image::loadImage(dir / name);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->width(), 30);
        ASSERT_TRUE(image::readImageInfo(dir / name));
        EXPECT_EQ(image::readImageInfo(dir / name)->format, "png");
    }
}

}  // namespace

namespace {

// Whether libvips' own loader, called alone, decodes the file to its last pixel.
bool vipsAloneDecodes(const std::filesystem::path& file) {
    VipsImage* alone = vips_image_new_from_file(file.c_str(), nullptr);
    std::size_t bytes = 0;
    void* pixels = alone ? vips_image_write_to_memory(alone, &bytes) : nullptr;
    g_free(pixels);
    if (alone) g_object_unref(alone);
    vips_error_clear();
    return pixels != nullptr;
}

}  // namespace

TEST_F(ImageLoadingTest, JpegsLibvipsGivesUpOnForHarmlessWarningsReadWholeOnEveryPath) {
    // Valid photos whose decoder warns well over a hundred times: a zero byte before each restart
    // marker (warned of in the scan), 150 JFIF segments of a later revision (in the header), on photos
    // turned by their EXIF orientation and with an ICC profile, in CMYK and in grey.
    auto turned = withProfile(testsupport::syntheticPhoto(751, 563), "p3");
    turned.set(VIPS_META_ORIENTATION, 6);
    const auto photo = testsupport::syntheticPhoto(640, 480);
    const auto cmyk = photo.bandjoin(photo.extract_band(1))
                          .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_CMYK));
    const auto grey =
        photo.extract_band(0).copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
    imagetest::save(testsupport::syntheticPhoto(751, 563), dir / "restarts.jpg",
                    vips::VImage::option()->set("restart_interval", 2));
    imagetest::save(turned, dir / "turned.jpg");
    imagetest::save(cmyk, dir / "cmyk.jpg");
    imagetest::save(grey, dir / "grey.jpg");
    const auto read = [&](const std::string& name) { return testsupport::TempDir::read(dir / name); };
    const std::vector<std::pair<std::string, std::string>> cases{
        {"restarts.jpg", testsupport::withPaddingBeforeRestarts(read("restarts.jpg"), std::string(1, '\0'))},
        {"turned.jpg", testsupport::withLaterJfifSegments(read("turned.jpg"), 150)},
        {"cmyk.jpg", testsupport::withLaterJfifSegments(read("cmyk.jpg"), 150)},
        {"grey.jpg", testsupport::withLaterJfifSegments(read("grey.jpg"), 150)},
    };
    const auto difference = [](const image::Image& a, const image::Image& b) {
        return (image::toVips(a) - image::toVips(b)).abs().max();
    };
    for (const auto& [plain, bytes] : cases) {
        SCOPED_TRACE(plain);
        const auto patched = dir.write("patched-" + plain, bytes);
        // libjpeg reads it whole; libvips alone gives up on it.
        const auto reading = testsupport::libjpegReading(bytes);
        EXPECT_TRUE(reading.whole) << reading.words;
        EXPECT_GT(reading.warnings, 100u);
        EXPECT_FALSE(vipsAloneDecodes(patched));

        const auto info = image::readImageInfo(patched);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->pixelWidth, image::readImageInfo(dir / plain)->pixelWidth);
        EXPECT_EQ(info->pixelHeight, image::readImageInfo(dir / plain)->pixelHeight);
        // As a job reads it, whole and for a smaller output: the same pixels as without the patch.
        const image::DecodeWarnings warnings;
        for (const auto& needed : {std::optional<cg::Size>(), std::optional(cg::Size{150, 150})}) {
            SCOPED_TRACE(needed ? "shrunk on load" : "whole");
            const auto expected =
                needed ? image::loadImage(dir / plain, *needed) : image::loadImage(dir / plain);
            const auto loaded = needed ? image::loadImage(patched, *needed) : image::loadImage(patched);
            ASSERT_TRUE(expected && loaded);
            EXPECT_EQ(image::pixelSize(*loaded), image::pixelSize(*expected));
            EXPECT_EQ(difference(*loaded, *expected), 0);
        }
        const auto verdict = warnings.verdict(patched, "jpeg");
        EXPECT_EQ(verdict.kind, image::ReadVerdict::Kind::Whole) << verdict.words;
        const auto thumb = image::thumbnail(patched, {200, 200});
        const auto expectedThumb = image::thumbnail(dir / plain, {200, 200});
        ASSERT_TRUE(thumb && expectedThumb);
        EXPECT_EQ(image::pixelSize(*thumb), image::pixelSize(*expectedThumb));
        EXPECT_LT((image::toVips(*thumb) - image::toVips(*expectedThumb)).abs().avg(), 2);
    }

    // Corrupt scan data after as many harmless warnings, in the header or in the scan: libjpeg stops
    // on it, and so does every read here, in the decoder's words; nothing reads as a whole picture.
    const std::vector<std::pair<std::string, std::string>> damaged{
        {"restarts-cut.jpg", cases[0].second.substr(0, cases[0].second.size() / 2) +
                                 cases[0].second.substr(cases[0].second.size() / 2 + 3000)},
        {"turned-cut.jpg", cases[1].second.substr(0, cases[1].second.size() / 2) +
                               cases[1].second.substr(cases[1].second.size() / 2 + 3000)},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        const auto file = dir.write(name, bytes);
        EXPECT_FALSE(testsupport::libjpegReading(bytes).whole);
        EXPECT_TRUE(image::readImageInfo(file));  // its header is whole
        EXPECT_FALSE(image::thumbnail(file, {200, 200}));
        const image::DecodeWarnings warnings;
        if (const auto loaded = image::loadImage(file, cg::Size{150, 150})) {
            EXPECT_THROW(image::toVips(*loaded).avg(), vips::VError);
            vips_error_clear();
        }
        const auto verdict = warnings.verdict(file, "jpeg");
        EXPECT_EQ(verdict.kind, image::ReadVerdict::Kind::Damaged) << verdict.words;
        EXPECT_NE(verdict.words.find("Corrupt JPEG data"), std::string::npos) << verdict.words;
    }
}

namespace {

using testsupport::jpegSegment;

// A grey 8 x 8 progressive JPEG, every coefficient zero, each of its 64 coefficients sent in `levels`
// successive approximation scans of its own (14 is as many as the format allows).
std::string jpegOfManyScans(int levels) {
    std::string out = "\xff\xd8" + jpegSegment('\xdb', std::string(1, '\0') + std::string(64, '\x01')) +
                      jpegSegment('\xc2', std::string("\x08\x00\x08\x00\x08\x01\x01\x11\x00", 9));
    // One code, a single 0 bit, for symbol 0: no DC difference, or the end of a block's coefficients.
    const std::string oneCode = std::string(1, '\x01') + std::string(16, '\0');
    out += jpegSegment('\xc4', std::string(1, '\x00') + oneCode) + jpegSegment('\xc4', "\x10" + oneCode);
    for (int k = 0; k < 64; ++k) {
        for (int high = 0, low = levels - 1; low >= 0; high = low--) {
            out += jpegSegment('\xda', {1, 1, 0, char(k), char(k), char(high << 4 | low)});
            out += '\x7f';  // the code, padded with ones
        }
    }
    return out + "\xff\xd9";
}

}  // namespace

TEST_F(ImageLoadingTest, AJpegGivesTheSameMetadataWhicheverReaderTakesIt) {
    // Blocks libvips' loader takes and blocks it passes over: an EXIF block and a later one; an APP1
    // that starts as XMP but whose namespace runs on past where libvips looks for its end, before the
    // real XMP block; two IPTC blocks; an ICC profile in 101 chunks, one more than libvips joins; and a
    // megabyte and more of extended XMP, which the loader never uses, so that the view leaves it out.
    imagetest::save(testsupport::syntheticPhoto(320, 240), dir / "plain.jpg");
    const auto plain = testsupport::TempDir::read(dir / "plain.jpg");
    const auto exif = [](char orientation) {
        return std::string("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) +
               std::string{orientation, 0, 0, 0, 0, 0, 0, 0};
    };
    std::string segments =
        jpegSegment('\xe1', exif(6)) + jpegSegment('\xe1', exif(3)) +
        jpegSegment('\xe1', "http" + std::string(96, 'a') + std::string(1, '\0') + "<far/>") +
        jpegSegment('\xe1', "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') + "<near/>") +
        jpegSegment('\xed', "Photoshop 3.0" + std::string(1, '\0') + "first") +
        jpegSegment('\xed', "Photoshop 3.0" + std::string(1, '\0') + "second");
    for (int chunk = 1; chunk <= 101; ++chunk) {
        segments += jpegSegment('\xe2', "ICC_PROFILE" + std::string{'\0', char(chunk), char(101)} + "chunk " +
                                            std::to_string(chunk) + ";");
    }
    for (int part = 0; part < 20; ++part) {
        segments += jpegSegment('\xe1', "http://ns.adobe.com/xmp/extension/" + std::string(1, '\0') +
                                            std::string(60000, char('a' + part)));
    }
    const std::string bytes = testsupport::withJpegSegmentsAtStart(plain, segments);
    const auto file = dir.write("tagged.jpg", bytes);

    const auto reference = vips::VImage::new_from_file(file.c_str());  // libvips' loader on the file
    const auto direct = image::detail::readJpegDirectly(file);         // libjpeg's own reading
    const auto kept = image::detail::jpegWithoutUnusedMetadata(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(direct && kept);
    const auto viewed = vips::VImage::new_from_buffer(kept->data(), kept->size(), "");  // through the view
    const auto blob = [](const vips::VImage& image, const char* name) {
        if (image.get_typeof(name) == 0) return std::string("none");
        std::size_t length = 0;
        const auto* data = static_cast<const char*>(image.get_blob(name, &length));
        return std::string(data, length);
    };
    for (const char* name :
         {VIPS_META_EXIF_NAME, VIPS_META_XMP_NAME, VIPS_META_IPTC_NAME, VIPS_META_ICC_NAME}) {
        SCOPED_TRACE(name);
        EXPECT_NE(blob(reference, name), "none");
        EXPECT_EQ(blob(*direct, name), blob(reference, name));
        EXPECT_EQ(blob(viewed, name), blob(reference, name));
    }
    EXPECT_EQ(blob(reference, VIPS_META_XMP_NAME), "<near/>");
}

TEST_F(ImageLoadingTest, JpegReportEndsOnceItsVerdictIsKnown) {
    // Thousands of scans that repeat the first, without data: each makes the decoder warn and step
    // through every block again, which at 200 megapixels would take hours.
    imagetest::save(testsupport::syntheticPhoto(320, 240), dir / "plain.jpg",
                    vips::VImage::option()->set("interlace", true));
    const auto plain = testsupport::TempDir::read(dir / "plain.jpg");
    const std::size_t scan = plain.find("\xff\xda");
    ASSERT_NE(scan, std::string::npos);
    const std::string firstScanHeader =
        plain.substr(scan, 2 + (std::uint8_t(plain[scan + 2]) << 8 | std::uint8_t(plain[scan + 3])));
    std::string repeated = plain.substr(0, plain.size() - 2);
    for (int i = 0; i < 3000; ++i) repeated += firstScanHeader;
    dir.write("repeated.jpg", repeated + "\xff\xd9");

    dir.write("64-scans.jpg", jpegOfManyScans(1));
    dir.write("896-scans.jpg", jpegOfManyScans(14));
    struct Case {
        std::string name;
        bool corrupt;
        bool complete;
        std::size_t warnings;
    };
    // A valid file of many more scans than encoders write is still read to its end.
    for (const auto& c : {Case{"repeated.jpg", true, true, 1}, Case{"64-scans.jpg", false, true, 0},
                          Case{"896-scans.jpg", false, true, 0}}) {
        SCOPED_TRACE(c.name);
        const auto report = image::detail::readJpegWarnings(dir / c.name);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->corruptData.has_value(), c.corrupt) << report->corruptData.value_or("");
        EXPECT_FALSE(report->failure) << *report->failure;
        EXPECT_EQ(report->complete, c.complete);
        EXPECT_EQ(report->warningCount, c.warnings);
    }
}

namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i) & 0xff));
}

enum class BmpKind {
    Windows24,  // a Windows info header: height negative stores the top row first
    Os2,        // 24-bit with an OS/2 core header (12 bytes)
    Palette8,   // 8-bit with a palette of 256 colours
    Argb32,     // 32-bit with a Windows info header and no masks: its fourth byte is alpha
};

// A BMP of one colour, made by hand.
std::string bmpOfColour(int width, int height, BmpKind kind, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const bool os2 = kind == BmpKind::Os2;
    const int infoSize = os2 ? 12 : 40;
    const int bits = kind == BmpKind::Palette8 ? 8 : kind == BmpKind::Argb32 ? 32 : 24;
    const int paletteSize = kind == BmpKind::Palette8 ? 256 * 4 : 0;
    const int stride = (width * bits + 31) / 32 * 4;
    std::string out = "BM";
    putLe(out, 14 + infoSize + paletteSize + stride * std::abs(height), 4);
    putLe(out, 0, 4);
    putLe(out, 14 + infoSize + paletteSize, 4);
    putLe(out, infoSize, 4);
    putLe(out, std::uint32_t(width), os2 ? 2 : 4);
    putLe(out, std::uint32_t(height), os2 ? 2 : 4);
    putLe(out, 1, 2);
    putLe(out, bits, 2);
    if (!os2) out.append(24, '\0');  // uncompressed, size, resolution and palette left to the reader
    std::string row;
    for (int x = 0; x < width; ++x) {
        if (kind == BmpKind::Palette8)
            row += char(7);
        else
            row += {char(b), char(g), char(r)};
        if (kind == BmpKind::Argb32) row += char(128);
    }
    row.resize(std::size_t(stride), '\0');
    for (int i = 0; i < paletteSize / 4; ++i) {
        if (i == 7)
            out += {char(b), char(g), char(r), '\0'};
        else
            out += {char(i), char(255 - i), char(i / 2), '\0'};
    }
    for (int y = 0; y < std::abs(height); ++y) out += row;
    return out;
}

}  // namespace

TEST_F(ImageLoadingTest, BmpIsReadOnlyAsFarAsItsHeadersReach) {
    const std::vector<double> colour{30, 160, 90};
    const auto written = image::encodedData(image::fromVips(imagetest::solid(64, 48, colour)), "bmp");
    ASSERT_TRUE(written);
    // Written with alpha: 32 bits a pixel, with masks in a version 5 header.
    const auto withAlpha =
        image::encodedData(image::fromVips(imagetest::solid(64, 48, {30, 160, 90, 100})), "bmp");
    ASSERT_TRUE(withAlpha);
    // Writers put an embedded colour profile after the pixels. Grey reads alike in either space.
    const auto grey = withProfile(imagetest::solid(64, 48, {128, 128, 128}), "p3");
    imagetest::save(grey, dir / "profiled.bmp");
    struct Case {
        std::string name;
        std::string bytes;
        std::vector<double> colour;
    };
    const std::vector<Case> cases{
        {"written.bmp", std::string(written->begin(), written->end()), colour},
        {"profiled.bmp", testsupport::TempDir::read(dir / "profiled.bmp"), {128, 128, 128}},
        {"alpha.bmp", std::string(withAlpha->begin(), withAlpha->end()), colour},
        {"topdown.bmp", bmpOfColour(64, -48, BmpKind::Windows24, 30, 160, 90), colour},
        {"os2.bmp", bmpOfColour(64, 48, BmpKind::Os2, 30, 160, 90), colour},
        {"palette.bmp", bmpOfColour(64, 48, BmpKind::Palette8, 30, 160, 90), colour},
        {"argb.bmp", bmpOfColour(64, 48, BmpKind::Argb32, 30, 160, 90), colour}};
    for (const auto& [name, bytes, expected] : cases) {
        for (const bool tail : {false, true}) {
            SCOPED_TRACE(name + (tail ? " with 64 MB after it" : ""));
            const auto path = dir.write(name, bytes);
            // Sparse, so the file is large without writing it.
            if (tail) std::filesystem::resize_file(path, bytes.size() + 64 * 1024 * 1024);
            const auto admission = image::detail::admitFile(path, nullptr);
            ASSERT_TRUE(admission);
            EXPECT_EQ(admission->format, "bmp");
            ASSERT_TRUE(admission->bmp);
            EXPECT_EQ(admission->bmp->length, bytes.size());
            const auto loaded = image::loadImage(path);
            ASSERT_TRUE(loaded);
            EXPECT_EQ(image::pixelSize(*loaded), (cg::Size{64, 48}));
            expectColour(meanAt(image::toVips(*loaded), 0, 0, 64, 48), expected, 2);
            // The headers alone say what the decode gives.
            const auto info = image::readImageInfo(path);
            ASSERT_TRUE(info);
            EXPECT_EQ(info->format, "bmp");
            EXPECT_EQ(info->pixelWidth, 64);
            EXPECT_EQ(info->pixelHeight, 48);
            EXPECT_EQ(info->hasAlpha, loaded->hasAlpha());
            EXPECT_EQ(info->hasAlpha, name == "alpha.bmp" || name == "argb.bmp");
            // Bytes held in memory are kept only as far, too.
            auto inMemory = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
            if (tail) inMemory.resize(inMemory.size() + 1024 * 1024);
            EXPECT_EQ(image::detail::admitBytes(inMemory, nullptr)->bmp->bytes.size(), bytes.size());
        }
    }
    // The header alone refuses a picture above the bound, however small the file.
    auto huge = bmpOfColour(2, 2, BmpKind::Windows24, 0, 0, 0);
    huge.replace(18, 8, std::string("\x20\x4e\x00\x00\x98\x3a\x00\x00", 8));  // 20000 x 15000
    for (const bool info : {false, true}) {
        std::string error;
        EXPECT_FALSE(info ? image::readImageInfo(dir.write("huge.bmp", huge), &error).has_value()
                          : image::loadImage(dir.write("huge.bmp", huge), &error).has_value());
        EXPECT_EQ(error, "image too large (more than 200 megapixels)");
    }
    // Pixels cut short still fail instead of giving a partly grey picture, while the headers, read
    // alone, still say what they hold: no pixel is read for them.
    const auto cut = bmpOfColour(64, 48, BmpKind::Windows24, 1, 2, 3);
    const auto cutPath = dir.write("cut.bmp", cut.substr(0, cut.size() / 2));
    EXPECT_FALSE(image::loadImage(cutPath));
    const auto cutInfo = image::readImageInfo(cutPath);
    ASSERT_TRUE(cutInfo);
    EXPECT_EQ(cutInfo->pixelWidth, 64);
    EXPECT_EQ(cutInfo->pixelHeight, 48);
    // Headers of a kind only ImageMagick can judge are still read by it, and refused with its words.
    auto twoBit = bmpOfColour(64, 48, BmpKind::Windows24, 1, 2, 3);
    twoBit[28] = 2;
    std::string error;
    EXPECT_FALSE(image::readImageInfo(dir.write("twobit.bmp", twoBit), &error));
    EXPECT_NE(error.find("unreadable image header: "), std::string::npos) << error;
}

TEST_F(ImageLoadingTest, TiffStripsSharingOneStreamAreJudgedWithinTheFileSize) {
    // 10000 one-row strips that each name the whole of one stream of some 100 KB, JPEG or deflate: the
    // second check of a TIFF's strips reads (and decodes) no more than the file holds, not the stream
    // 10000 times over. The kernel counts what this process reads.
    const auto bytesRead = [] {
        std::ifstream io("/proc/self/io");
        std::string key;
        std::uint64_t value = 0;
        while (io >> key >> value) {
            if (key == "rchar:") return value;
        }
        return std::uint64_t(0);
    };
    const auto noise = vips::VImage::gaussnoise(400, 300, vips::VImage::option()->set("sigma", 60.0))
                           .cast(VIPS_FORMAT_UCHAR);
    void* encoded = nullptr;
    std::size_t length = 0;
    noise.write_to_buffer(".jpg", &encoded, &length, vips::VImage::option()->set("Q", 95));
    const std::string jpeg(static_cast<const char*>(encoded), length);
    g_free(encoded);
    void* raw = noise.write_to_memory(&length);
    const std::string deflate = testsupport::deflated(std::string(static_cast<const char*>(raw), length));
    g_free(raw);
    constexpr std::uint16_t kJpeg = 7, kDeflate = 8;
    for (const auto& [name, stream, compression] :
         {std::tuple{"jpeg.tif", jpeg, kJpeg}, std::tuple{"deflate.tif", deflate, kDeflate}}) {
        SCOPED_TRACE(name);
        ASSERT_GT(stream.size(), 80'000u);
        const auto file =
            dir.write(name, testsupport::tiffOfStripsSharingOneStream(stream, compression, 400, 10000));
        const auto before = bytesRead();
        EXPECT_FALSE(image::detail::tiffStripDamage(file));
        EXPECT_LT(bytesRead() - before, 2 * std::filesystem::file_size(file));
    }
    // libtiff itself refuses a one-row strip that holds a taller JPEG.
    const auto reading = testsupport::readElsewhere(dir / "jpeg.tif");
    ASSERT_TRUE(reading);
    EXPECT_FALSE(reading->whole);
}
