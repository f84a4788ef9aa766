#include <gtest/gtest.h>

#include "Platform/Image/Bitmap.h"
#include "Platform/Image/TextDrawing.h"

using namespace image;

namespace {

TextStyle whiteText() {
    TextStyle style;
    style.fontName = "A Font Nobody Has Bold";  // falls back through fontconfig
    style.pointSize = 20;
    style.colour = cg::Color::whiteColor();
    style.shadow = TextShadow{{0, 0}, 5.0, cg::Color{0, 0, 0, 0.333}};
    return style;
}

}  // namespace

TEST(TextDrawing, MeasuresAndDrawsOnlyInsideItsRectangleWithAMissingFont) {
    const TextStyle style = whiteText();
    const cg::Size size = measuredText("Vorta 2026", style);
    EXPECT_GT(size.width, 40);
    EXPECT_GT(size.height, 10);
    EXPECT_LT(size.height, 60);
    EXPECT_EQ(measuredText("", style), cg::Size());

    const Image canvas = *filledImage({300, 120}, cg::Color{0.4, 0.4, 0.4, 1});
    const cg::Rect box(100, 40, size.width, size.height);
    const Bitmap before = bitmap(canvas);
    const Bitmap after = bitmap(drawnText(canvas, "Vorta 2026", style, box));
    int brightInside = 0;
    for (int y = 0; y < after.height; ++y)
        for (int x = 0; x < after.width; ++x) {
            const bool inside = box.contains(cg::Point{x + 0.5, y + 0.5});
            if (!inside) {
                ASSERT_EQ(after.at(x, y, 0), before.at(x, y, 0)) << x << "," << y;
            }
            if (inside && after.at(x, y, 0) > 200) ++brightInside;
        }
    EXPECT_GT(brightInside, 20);
}

TEST(TextDrawing, TextIsNeverReadAsMarkupAndLongTextWrapsWithinTheBox) {
    const TextStyle style = whiteText();
    // Shown as typed: the tags take room of their own, and a stray "&" does not fail.
    EXPECT_GT(measuredText("<b>x</b>", style).width, 2 * measuredText("x", style).width);
    EXPECT_GT(measuredText("Tom & Jerry <3", style).width, 0);

    const Image canvas = *filledImage({200, 200}, cg::Color::black());
    const cg::Size line = measuredText("one two three four", style);
    const cg::Rect narrow(10, 10, line.width / 2, 150);
    const Bitmap drawn = bitmap(drawnText(canvas, "one two three four", style, narrow));
    int lowestInk = -1;
    for (int y = 0; y < drawn.height; ++y)
        for (int x = 0; x < drawn.width; ++x)
            if (drawn.at(x, y, 0) > 128) lowestInk = y;
    // Wrapped: the ink reaches below what one line would take.
    EXPECT_GT(lowestInk, 10 + int(line.height));
}
