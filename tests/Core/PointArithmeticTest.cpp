#include <gtest/gtest.h>

#include "Platform/Graphics/PointArithmetic.h"

using cg::Point;

TEST(PointArithmetic, ComponentWiseOperatorsAndDistance) {
    Point p{1, 2};
    EXPECT_EQ((p + Point{3, 5}), (Point{4, 7}));
    EXPECT_EQ((p - Point{3, 5}), (Point{-2, -3}));
    EXPECT_EQ(p * 2.5, (Point{2.5, 5}));
    EXPECT_EQ(2.5 * p, (Point{2.5, 5}));
    p += Point{1, 1};
    EXPECT_EQ(p, (Point{2, 3}));
    p -= Point{4, 4};
    EXPECT_EQ(p, (Point{-2, -1}));
    p *= -3;
    EXPECT_EQ(p, (Point{6, 3}));
    EXPECT_DOUBLE_EQ(cg::distance(Point{0, 0}, Point{3, 4}), 5);
    EXPECT_DOUBLE_EQ(cg::distance(Point{3, 4}, Point{0, 0}), 5);
}
