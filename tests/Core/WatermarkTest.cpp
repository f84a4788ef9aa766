#include <gtest/gtest.h>

#include <sstream>

#include "Core/Watermark/Watermark.h"
#include "Core/Watermark/WatermarkPlacement.h"
#include "Platform/Image/Bitmap.h"

using namespace core;

namespace {

const cg::Color grey{100 / 255.0, 100 / 255.0, 100 / 255.0, 1};

image::Image canvas() {
    return *image::filledImage({900, 600}, grey);
}

// The smallest rectangle holding every pixel that differs between the two; empty when none does.
cg::Rect changedArea(const image::Bitmap& before, const image::Bitmap& after) {
    int minX = before.width, minY = before.height, maxX = -1, maxY = -1;
    for (int y = 0; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x)
            for (int b = 0; b < before.bands; ++b)
                if (before.at(x, y, b) != after.at(x, y, b)) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
    if (maxX < 0) return {};
    return cg::Rect(minX, minY, maxX - minX + 1, maxY - minY + 1);
}

// The smallest rectangle holding every pixel brighter than mid-grey; empty when none is.
cg::Rect brightArea(const image::Image& image) {
    const image::Bitmap pixels = image::bitmap(image);
    int minX = pixels.width, minY = pixels.height, maxX = -1, maxY = -1;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.at(x, y, 0) > 128) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    if (maxX < 0) return {};
    return cg::Rect(minX, minY, maxX - minX + 1, maxY - minY + 1);
}

}  // namespace

TEST(Watermark, EveryWordOfATextIsDrawnOnOneLineInEveryPositionAndFont) {
    const image::Image black = *image::filledImage({1200, 800}, cg::Color::black());
    // The watermark's own font (absent here, so substituted) and the families this machine has.
    for (const std::string font : {"Avenir Next Bold", "DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"}) {
        const auto attributes = watermarkTextAttributes({font, 20}, cg::Color::whiteColor());
        for (const std::string text : {"Photo by Ana", "A & B & C", "© 2026 Ana Lima"}) {
            // The text set on its own, with room to spare.
            const cg::Rect alone =
                brightArea(image::drawnText(*image::filledImage({1000, 200}, cg::Color::black()), text,
                                            attributes, cg::Rect(0, 0, 1000, 200)));
            ASSERT_GT(alone.width(), 20) << text;
            const cg::Size measured = image::measuredText(text, attributes);
            for (const int position : {21, 22, 23, 24, 25, 26, 27, 28, 29, -1}) {
                SCOPED_TRACE(font + ": " + text + " at " + std::to_string(position));
                const cg::Rect drawn =
                    brightArea(font == "Avenir Next Bold"
                                   ? textWatermarked(black, text, position, 1.0f)
                                   : image::drawnText(black, text, attributes,
                                                      watermarkRectFromTop(position, measured, {1200, 800})));
                EXPECT_NEAR(drawn.width(), alone.width(), 1.0);
                EXPECT_NEAR(drawn.height(), alone.height(), 1.0);
            }
        }
    }
}

TEST(Watermark, TextChangesPixelsOnlyInsideItsCellBoxForEveryPosition) {
    const image::Image photo = canvas();
    const image::Bitmap before = image::bitmap(photo);
    const auto attributes = watermarkTextAttributes({"Avenir Next Bold", 20}, cg::Color::whiteColor());
    const cg::Size textSize = image::measuredText("© Vorta", attributes);
    ASSERT_GT(textSize.width, 0);

    for (const int position : {21, 22, 23, 24, 25, 26, 27, 28, 29, -1}) {
        SCOPED_TRACE(position);
        const cg::Rect box = watermarkRectFromTop(position, textSize, {900, 600});
        const cg::Rect changed =
            changedArea(before, image::bitmap(textWatermarked(photo, "© Vorta", position, 1.0f)));
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_TRUE(box.insetBy(-0.5, -0.5).contains(changed))
            << changed.minX() << "," << changed.minY() << " " << changed.width() << "x" << changed.height();
    }
    // Code 21 marks the top of the picture, 29 the bottom right.
    const cg::Rect top = changedArea(before, image::bitmap(textWatermarked(photo, "© Vorta", 21, 1.0f)));
    EXPECT_LT(top.maxY(), 200);
    EXPECT_LT(top.maxX(), 300);
    const cg::Rect bottomRight =
        changedArea(before, image::bitmap(textWatermarked(photo, "© Vorta", 29, 1.0f)));
    EXPECT_GT(bottomRight.minY(), 400);
    EXPECT_GT(bottomRight.minX(), 600);
}

TEST(Watermark, MarkIsBlendedAtTheOpacityAndSqueezedIntoAThird) {
    const image::Image photo = canvas();
    const image::Image red = *image::filledImage({90, 60}, cg::Color{1, 0, 0, 1});
    const image::Bitmap before = image::bitmap(photo);
    // Code 25, 90 × 60 on 900 × 600: the box (405, 270) from the top left.
    const auto redAt = [&](float alpha) {
        return image::bitmap(imageWatermarked(photo, red, 25, alpha)).at(450, 300, 0);
    };
    EXPECT_EQ(redAt(50), 178);  // half of 255 and half of 100, rounded
    EXPECT_EQ(redAt(0.5f), 178);
    EXPECT_EQ(redAt(1.0f), 255);
    EXPECT_EQ(redAt(0.2f), 131);  // 0.2 × 255 + 0.8 × 100
    EXPECT_EQ(changedArea(before, image::bitmap(imageWatermarked(photo, red, 25, 1.0f))),
              cg::Rect(405, 270, 90, 60));

    // A 600 × 300 mark at code 29 fills the bottom-right cell, 300 × 200.
    const image::Image big = *image::filledImage({600, 300}, cg::Color{0, 0, 1, 1});
    EXPECT_EQ(changedArea(before, image::bitmap(imageWatermarked(photo, big, 29, 1.0f))),
              cg::Rect(600, 400, 300, 200));
}

TEST(Watermark, OptionsPickTextOverMarkAndAnEmptyTextSuppressesBoth) {
    const image::Image photo = canvas();
    const image::Image red = *image::filledImage({90, 60}, cg::Color{1, 0, 0, 1});
    const image::Bitmap before = image::bitmap(photo);
    std::ostringstream log;

    // An empty text: no mark at all, and nothing announced.
    const image::Image none = watermarkedForOptions(photo, {std::string(), red, 25, 1.0f}, log);
    EXPECT_TRUE(changedArea(before, image::bitmap(none)).isEmpty());
    EXPECT_EQ(log.str(), "");

    // The mark alone, at the missing position's corner and full opacity.
    const image::Image marked =
        watermarkedForOptions(photo, {std::nullopt, red, std::nullopt, std::nullopt}, log);
    EXPECT_EQ(changedArea(before, image::bitmap(marked)), cg::Rect(0, 540, 90, 60));
    EXPECT_EQ(log.str(), "Position value : -1, Alpha value : 1.0\n");

    // Text wins over the mark: no red appears.
    log.str("");
    const image::Bitmap text =
        image::bitmap(watermarkedForOptions(photo, {std::string("Vorta"), red, 25, 50.0f}, log));
    EXPECT_FALSE(changedArea(before, text).isEmpty());
    EXPECT_NE(text.at(450, 300, 0), 255);
    EXPECT_EQ(log.str(), "Position value : 25, Alpha value : 50.0\n");

    EXPECT_TRUE(watermarkedForOptions(photo, {}, log).isSameObject(photo));
}
