#include <gtest/gtest.h>

#include "Platform/Image/Bitmap.h"
#include "Platform/Image/Compositing.h"

using namespace image;

namespace {

// Every pixel outside `box` is equal in both bitmaps; at least one inside differs.
void expectChangedOnlyInside(const Bitmap& before, const Bitmap& after, const cg::Rect& box) {
    ASSERT_EQ(before.width, after.width);
    ASSERT_EQ(before.height, after.height);
    ASSERT_EQ(before.bands, after.bands);
    bool changedInside = false;
    for (int y = 0; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x)
            for (int b = 0; b < before.bands; ++b) {
                const bool same = before.at(x, y, b) == after.at(x, y, b);
                if (box.contains(cg::Point{x + 0.5, y + 0.5})) {
                    changedInside |= !same;
                } else {
                    ASSERT_TRUE(same) << "pixel " << x << "," << y << " outside the box changed";
                }
            }
    EXPECT_TRUE(changedInside);
}

}  // namespace

TEST(Compositing, MarkIsSqueezedIntoItsRectangleAndBlendedByTheFraction) {
    const Image canvas = *filledImage({90, 60}, cg::Color{100 / 255.0, 100 / 255.0, 100 / 255.0, 1});
    const Image red = *filledImage({10, 10}, cg::Color{1, 0, 0, 1});
    const cg::Rect box(30, 20, 30, 20);

    const Bitmap half = bitmap(drawnInRect(canvas, red, box, 0.5));
    expectChangedOnlyInside(bitmap(canvas), half, box);
    EXPECT_EQ(half.bands, 3);
    for (const auto& [x, y] : {std::pair{30, 20}, {59, 39}, {45, 30}}) {
        EXPECT_EQ(half.at(x, y, 0), 178);  // (255 + 100) / 2, rounded
        EXPECT_EQ(half.at(x, y, 1), 50);
        EXPECT_EQ(half.at(x, y, 2), 50);
    }
    const Bitmap full = bitmap(drawnInRect(canvas, red, box, 1.0));
    EXPECT_EQ(full.at(40, 25, 0), 255);
    EXPECT_EQ(full.at(40, 25, 1), 0);

    // Partly outside: only what lies on the canvas is drawn.
    const cg::Rect corner(80, 50, 20, 20);
    expectChangedOnlyInside(bitmap(canvas), bitmap(drawnInRect(canvas, red, corner, 1.0)), corner);
}

TEST(Compositing, OverATransparentCanvasTheMarkKeepsItsColourAndTakesTheFractionAsAlpha) {
    const Image clear = *filledImage({20, 20}, cg::Color{0, 0, 0, 0});
    const Image blue = *filledImage({5, 5}, cg::Color{0, 0, 1, 1});
    const Bitmap drawn = bitmap(drawnInRect(clear, blue, cg::Rect(0, 0, 10, 10), 0.5));
    ASSERT_EQ(drawn.bands, 4);
    EXPECT_EQ(drawn.at(5, 5, 2), 255);
    EXPECT_EQ(drawn.at(5, 5, 3), 128);
    EXPECT_EQ(drawn.at(15, 15, 3), 0);
}
