#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Support/TempDir.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace {

using foundation::Data;

class ImageEncodingTest : public ::testing::Test {
  protected:
    void SetUp() override { image::detail::ensureVipsStarted(); }
    testsupport::TempDir dir;
};

bool startsWith(const Data& bytes, std::string_view magic, size_t offset = 0) {
    if (bytes.size() < offset + magic.size()) return false;
    return std::equal(magic.begin(), magic.end(), bytes.begin() + offset,
                      [](char m, std::uint8_t b) { return std::uint8_t(m) == b; });
}

bool isJpeg(const Data& b) {
    return startsWith(b, "\xFF\xD8\xFF");
}
bool isPng(const Data& b) {
    return startsWith(b, "\x89PNG\r\n\x1A\n");
}
bool isGif(const Data& b) {
    return startsWith(b, "GIF8");
}
bool isBmp(const Data& b) {
    return startsWith(b, "BM");
}
bool isTiff(const Data& b) {
    return startsWith(b, std::string_view("II*\0", 4)) || startsWith(b, std::string_view("MM\0*", 4));
}
bool isJp2(const Data& b) {
    return startsWith(b, std::string_view("\0\0\0\x0CjP  \r\n\x87\n", 12));
}
bool isHeif(const Data& b) {
    return startsWith(b, "ftyp", 4) && (startsWith(b, "heic", 8) || startsWith(b, "mif1", 8));
}

// A photo-like image: smooth colour with fine noise, which lossy coding cannot keep exactly.
image::Image noisyPhoto(int w, int h) {
    const auto noise =
        vips::VImage::gaussnoise(w, h, vips::VImage::option()->set("sigma", 25)->set("mean", 128));
    const auto colour =
        noise.bandjoin(noise.flip(VIPS_DIRECTION_HORIZONTAL)).bandjoin(noise.flip(VIPS_DIRECTION_VERTICAL));
    return image::fromVips(
        colour.cast(VIPS_FORMAT_UCHAR)
            .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB)));
}

double meanError(const image::Image& a, const image::Image& b) {
    return (image::toVips(a).cast(VIPS_FORMAT_FLOAT) - image::toVips(b).cast(VIPS_FORMAT_FLOAT)).abs().avg();
}

std::optional<image::Image> decoded(const Data& bytes) {
    return image::loadImage(std::span<const std::uint8_t>(bytes));
}

TEST_F(ImageEncodingTest, EveryTableExtensionWritesItsFormatAndRoundTrips) {
    const auto picture = image::fromVips(imagetest::stripes(64, 48, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}));
    struct Case {
        std::string extension;
        bool (*magic)(const Data&);
    };
    const std::vector<Case> cases{{"bmp", isBmp},  {"gif", isGif},   {"giff", isGif}, {"jpeg", isJpeg},
                                  {"jpg", isJpeg}, {"jp2", isJp2},   {"png", isPng},  {"tiff", isTiff},
                                  {"tif", isTiff}, {"heic", isJpeg}, {"heif", isJpeg}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        std::string error;
        const auto bytes = image::encodedData(picture, c.extension, &error);
        ASSERT_TRUE(bytes) << error;
        EXPECT_TRUE(c.magic(*bytes));
        const auto back = decoded(*bytes);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->size(), (cg::Size{64, 48}));
        // Every format keeps the picture: the right stripe is still blue.
        const auto right = imagetest::meanAt(image::toVips(*back), 48, 10, 12, 28);
        EXPECT_LT(right[0], 40);
        EXPECT_GT(right[2], 215);
    }
    const auto heif = image::heifData(picture);
    ASSERT_TRUE(heif);
    EXPECT_TRUE(isHeif(*heif));
    const auto heifBack = decoded(*heif);
    ASSERT_TRUE(heifBack);
    EXPECT_EQ(heifBack->size(), (cg::Size{64, 48}));
}

TEST_F(ImageEncodingTest, ExtensionsAreReadLooselyAndUnknownOnesGivePng) {
    const auto photo = noisyPhoto(96, 64);
    const auto loose = image::encodedData(photo, " JPG\n");
    ASSERT_TRUE(loose);
    ASSERT_TRUE(isJpeg(*loose));
    // Full quality: noise survives almost unchanged, where an ordinary quality visibly smooths it.
    EXPECT_LT(meanError(*decoded(*loose), photo), 1.5);
    const auto ordinary = image::encodedData(photo, image::FileType::JPEG, 0.75);
    EXPECT_GT(meanError(*decoded(*ordinary), photo), 3.0);

    for (const std::string extension : {"webp", "", "  ", "jxl", "PNG"}) {
        SCOPED_TRACE("'" + extension + "'");
        const auto bytes = image::encodedData(photo, extension);
        ASSERT_TRUE(bytes);
        EXPECT_TRUE(isPng(*bytes));
        EXPECT_EQ(meanError(*decoded(*bytes), photo), 0.0);
    }
    EXPECT_TRUE(isJpeg(*image::encodedData(photo, "HEIC")));
    EXPECT_TRUE(isTiff(*image::encodedData(photo, "\tTiF ")));
    EXPECT_EQ(image::preferredExtension(image::fileTypeForExtension("webp")), "png");
}

// The sRGB value of a Display P3 colour, from the colour spaces' published primaries.
std::vector<double> displayP3ToSRGB(const std::vector<double>& p3) {
    const auto linear = [](double c) {
        c /= 255;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const auto encoded = [](double l) {
        l = std::clamp(l, 0.0, 1.0);
        return 255 * (l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055);
    };
    const double m[3][3] = {
        {1.2249401, -0.2249404, 0.0}, {-0.0420569, 1.0420571, 0.0}, {-0.0196376, -0.0786361, 1.0982735}};
    std::vector<double> out;
    for (int row = 0; row < 3; ++row) {
        double sum = 0;
        for (int column = 0; column < 3; ++column) sum += m[row][column] * linear(p3[column]);
        out.push_back(encoded(sum));
    }
    return out;
}

TEST_F(ImageEncodingTest, WideGamutPhotoIsConvertedToSRGBAndLosesOnlyItsProfile) {
    VipsBlob* profile = nullptr;
    ASSERT_EQ(vips_profile_load("p3", &profile, nullptr), 0);
    size_t profileLength = 0;
    const void* profileBytes = vips_blob_get(profile, &profileLength);

    // Pure P3 red lies outside sRGB and lands on sRGB's red; the softer orange shows the conversion
    // itself, since its untouched values would be far from its sRGB ones.
    for (const auto& colour : {std::vector<double>{255, 0, 0}, std::vector<double>{200, 120, 60}}) {
        SCOPED_TRACE(colour[1]);
        auto tagged = imagetest::solid(48, 32, colour).copy();
        vips_image_set_blob_copy(tagged.get_image(), VIPS_META_ICC_NAME, profileBytes, profileLength);
        tagged.set("exif-ifd0-DateTime", "2021:03:04 05:06:07");
        imagetest::save(tagged, dir / "p3.jpg", vips::VImage::option()->set("Q", 100));

        const auto loaded = image::loadImage(dir / "p3.jpg");
        ASSERT_TRUE(loaded);
        const auto bytes = image::encodedData(*loaded, "jpg");
        ASSERT_TRUE(bytes);
        const auto written = vips::VImage::new_from_buffer(bytes->data(), bytes->size(), "");
        EXPECT_EQ(written.get_typeof(VIPS_META_ICC_NAME), 0u);
        ASSERT_NE(written.get_typeof("exif-ifd0-DateTime"), 0u);
        EXPECT_EQ(std::string(written.get_string("exif-ifd0-DateTime")).substr(0, 19), "2021:03:04 05:06:07");
        const auto expected = displayP3ToSRGB(colour);
        const auto actual = imagetest::meanAt(written, 8, 8, 32, 16);
        for (int band = 0; band < 3; ++band)
            EXPECT_NEAR(actual[band], expected[band], 3.0) << "band " << band;
    }
    vips_area_unref(VIPS_AREA(profile));
}

TEST_F(ImageEncodingTest, MetadataBlocksSurviveAndTurnedPhotosAreWrittenUpright) {
    auto stored = imagetest::halves(300, 200, {255, 255, 255}, {0, 0, 0}).copy();
    stored.set(VIPS_META_ORIENTATION, 6);
    const std::string xmp = "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF/></x:xmpmeta>";
    vips_image_set_blob_copy(stored.get_image(), VIPS_META_XMP_NAME, xmp.data(), xmp.size());
    // An IPTC block with one record (2:05, the object name).
    const std::string record("\x1C\x02\x05\x00\x05Title", 10);
    const std::string iptc = std::string(
                                 "Photoshop 3.0\0"
                                 "8BIM\x04\x04\0\0\0\0\0",
                                 25) +
                             char(record.size()) + record;
    vips_image_set_blob_copy(stored.get_image(), VIPS_META_IPTC_NAME, iptc.data(), iptc.size());
    imagetest::save(stored, dir / "turned.jpg");

    const auto bytes = image::encodedData(*image::loadImage(dir / "turned.jpg"), "jpeg");
    ASSERT_TRUE(bytes);
    const auto written = vips::VImage::new_from_buffer(bytes->data(), bytes->size(), "");
    EXPECT_EQ(written.width(), 200);
    EXPECT_EQ(written.height(), 300);
    // No turning tag: a viewer that honours orientation shows the pixels as they are.
    if (written.get_typeof(VIPS_META_ORIENTATION) != 0) {
        EXPECT_EQ(written.get_int(VIPS_META_ORIENTATION), 1);
    }
    // Stored white on top and turned a quarter clockwise: white on the right.
    EXPECT_GT(imagetest::meanAt(written, 150, 0, 50, 300)[0], 240);
    EXPECT_LT(imagetest::meanAt(written, 0, 0, 50, 300)[0], 15);
    ASSERT_NE(written.get_typeof(VIPS_META_XMP_NAME), 0u);
    size_t length = 0;
    const void* data = written.get_blob(VIPS_META_XMP_NAME, &length);
    EXPECT_NE(std::string(static_cast<const char*>(data), length).find("adobe:ns:meta"), std::string::npos);
    ASSERT_NE(written.get_typeof(VIPS_META_IPTC_NAME), 0u);
    data = written.get_blob(VIPS_META_IPTC_NAME, &length);
    EXPECT_NE(std::string(static_cast<const char*>(data), length).find("Title"), std::string::npos);
}

TEST_F(ImageEncodingTest, TransparencyIsKeptWhereTheFormatCanHoldIt) {
    const auto clear = image::fromVips(imagetest::solid(20, 20, {200, 30, 30, 0}));
    const auto png = decoded(*image::encodedData(clear, "png"));
    ASSERT_TRUE(png && png->hasAlpha());
    EXPECT_EQ(imagetest::meanAt(image::toVips(*png), 0, 0, 20, 20)[3], 0);
    const auto jpeg = decoded(*image::encodedData(clear, "jpg"));
    ASSERT_TRUE(jpeg);
    EXPECT_FALSE(jpeg->hasAlpha());
    EXPECT_GT(imagetest::meanAt(image::toVips(*jpeg), 0, 0, 20, 20)[1], 250);  // white paper behind it
}

TEST_F(ImageEncodingTest, DamagedSourcesFailCleanlyOrGiveWhatCouldBeRead) {
    imagetest::save(noisyPhoto(640, 480).data().pixels, dir / "whole.jpg");
    auto bytes = imagetest::readBytes(dir / "whole.jpg");
    bytes.resize(bytes.size() / 2);
    const auto cut = dir.write("cut.jpg", std::string(bytes.begin(), bytes.end()));
    std::string error;
    const auto loaded = image::loadImage(cut, &error);
    if (!loaded) {
        EXPECT_FALSE(error.empty());
        return;
    }
    const auto encoded = image::encodedData(*loaded, "png", &error);
    if (encoded) {
        const auto back = decoded(*encoded);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->size(), (cg::Size{640, 480}));
    } else {
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
