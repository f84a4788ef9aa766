#include <gtest/gtest.h>

#include <numbers>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Geometry.h"

using namespace cg;

TEST(Rect, StandardisesNegativeSizesAndIntersects) {
    const Rect r(100, 50, -40, -20);
    EXPECT_EQ(r.minX(), 60);
    EXPECT_EQ(r.maxY(), 50);
    EXPECT_EQ(r.width(), 40);
    EXPECT_EQ(r.standardized(), Rect(60, 30, 40, 20));

    const Rect image(0, 0, 400, 200);
    EXPECT_EQ(image.intersection(Rect(300, 100, 200, 200)), Rect(300, 100, 100, 100));
    EXPECT_TRUE(image.intersection(Rect(500, 0, 10, 10)).isNull());
    EXPECT_TRUE(image.insetBy(250, 0).isNull());
    EXPECT_EQ(Rect(0.5, 0.2, 1.0, 1.0).integral(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Rect::null().unionWith(Rect(1, 1, 2, 2)), Rect(1, 1, 2, 2));
    EXPECT_TRUE(image.contains(Point{0, 0}));
    EXPECT_FALSE(image.contains(Point{400, 0}));
}

TEST(AffineTransform, RotationBoundingBoxAndInverse) {
    const auto rot = AffineTransform::rotation(std::numbers::pi / 2);
    const auto box = rot.apply(Rect(0, 0, 400, 200));
    EXPECT_NEAR(box.width(), 200, 1e-9);
    EXPECT_NEAR(box.height(), 400, 1e-9);

    const auto t = AffineTransform::translation(10, 20).scaledBy(2, 3);
    const auto p = t.apply(Point{1, 1});
    const auto back = t.inverted().apply(p);
    EXPECT_NEAR(back.x, 1, 1e-12);
    EXPECT_NEAR(back.y, 1, 1e-12);
    EXPECT_EQ(AffineTransform::scale(0, 1).inverted(), AffineTransform::scale(0, 1));
}
