#include <gtest/gtest.h>

#include "Core/Watermark/WatermarkPlacement.h"

using namespace core;

TEST(WatermarkPlacement, GridCellsBoxesAndTheFallbackCorner) {
    const cg::Size image{900, 600};
    EXPECT_EQ(watermarkRect(25, {100, 20}, image), cg::Rect(400, 290, 100, 20));
    // Too big a mark is squeezed to a third each way.
    EXPECT_EQ(watermarkRect(29, {600, 300}, image), cg::Rect(600, 0, 300, 200));
    EXPECT_EQ(watermarkRect(-1, {100, 20}, image), cg::Rect(0, 0, 100, 20));
    EXPECT_EQ(watermarkRect(30, {600, 300}, image), cg::Rect(-300, -100, 300, 200));

    // Row by row from the top, in y-up coordinates.
    const cg::Size mark{90, 60};
    EXPECT_EQ(watermarkRect(21, mark, image), cg::Rect(105, 470, 90, 60));
    EXPECT_EQ(watermarkRect(23, mark, image), cg::Rect(705, 470, 90, 60));
    EXPECT_EQ(watermarkRect(24, mark, image), cg::Rect(105, 270, 90, 60));
    EXPECT_EQ(watermarkRect(27, mark, image), cg::Rect(105, 70, 90, 60));
    EXPECT_EQ(watermarkRect(28, mark, image), cg::Rect(405, 70, 90, 60));
    // From the top, code 21 lies in the top third of the rows.
    EXPECT_EQ(watermarkRectFromTop(21, mark, image), cg::Rect(105, 70, 90, 60));
    EXPECT_EQ(watermarkRectFromTop(29, mark, image), cg::Rect(705, 470, 90, 60));
}

TEST(WatermarkPlacement, OpacityReadsPercentagesAboveOne) {
    EXPECT_DOUBLE_EQ(watermarkOpacity(50), 0.5);
    EXPECT_DOUBLE_EQ(watermarkOpacity(35), 0.35);
    EXPECT_DOUBLE_EQ(watermarkOpacity(1.0), 1.0);
    EXPECT_DOUBLE_EQ(watermarkOpacity(0.2), 0.2);
}
