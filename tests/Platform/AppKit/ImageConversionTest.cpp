#include <gtest/gtest.h>

#include <QBuffer>

#include "Platform/AppKit/ImageConversion.h"
#include "Platform/Image/ImageLoading.h"

using namespace appkit;

namespace {

TEST(ImageConversionTest, PixelsAndAlphaSurviveTheRoundTrip) {
    QImage painted(5, 3, QImage::Format_RGBA8888);
    painted.fill(QColor(255, 0, 0, 255));
    painted.setPixelColor(4, 2, QColor(10, 200, 30, 128));
    const auto converted = fromQImage(painted);
    ASSERT_TRUE(converted.has_value());
    EXPECT_EQ(converted->width(), 5);
    EXPECT_EQ(converted->height(), 3);
    EXPECT_TRUE(converted->hasAlpha());
    const QImage back = toQImage(*converted);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixelColor(0, 0), QColor(255, 0, 0, 255));
    EXPECT_EQ(back.pixelColor(4, 2), QColor(10, 200, 30, 128));

    EXPECT_FALSE(fromQImage(QImage()).has_value());
}

TEST(ImageConversionTest, LoadedGreyAndOpaqueImagesBecomeRgb) {
    QImage grey(4, 4, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(grey.save(&buffer, "PNG"));
    const auto loaded = image::loadImage(std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                                   static_cast<std::size_t>(png.size())));
    ASSERT_TRUE(loaded.has_value());
    const QImage shown = toQImage(*loaded);
    ASSERT_EQ(shown.size(), QSize(4, 4));
    EXPECT_FALSE(shown.hasAlphaChannel());
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(90, 90, 90));
}

}  // namespace
