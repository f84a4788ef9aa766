#include "Extensions/RectExtensions.h"
#include "Extensions/VectorExtensions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

void expectRect(const cg::Rect& actual, const cg::Rect& expected) {
    EXPECT_DOUBLE_EQ(actual.origin.x, expected.origin.x);
    EXPECT_DOUBLE_EQ(actual.origin.y, expected.origin.y);
    EXPECT_DOUBLE_EQ(actual.size.width, expected.size.width);
    EXPECT_DOUBLE_EQ(actual.size.height, expected.size.height);
}

}  // namespace

TEST(RectExtensions, AnchorPointsReadAndPlaceTheRectangle) {
    // Stored with a negative width: reads use its magnitude, writes keep the stored size.
    const cg::Rect r(10, 20, -4, 6);
    struct Case {
        const char* name;
        std::function<cg::Point(const cg::Rect&)> read;
        std::function<void(cg::Rect&, cg::Point)> write;
        cg::Point expected;
    };
    const Case cases[] = {
        {"minXMinY", num::minXMinYPoint, num::setMinXMinYPoint, {10, 20}},
        {"midXMinY", num::midXMinYPoint, num::setMidXMinYPoint, {12, 20}},
        {"maxXMinY", num::maxXMinYPoint, num::setMaxXMinYPoint, {14, 20}},
        {"minXMidY", num::minXMidYPoint, num::setMinXMidYPoint, {10, 23}},
        {"center", num::center, num::setCenter, {12, 23}},
        {"maxXMidY", num::maxXMidYPoint, num::setMaxXMidYPoint, {14, 23}},
        {"minXMaxY", num::minXMaxYPoint, num::setMinXMaxYPoint, {10, 26}},
        {"midXMaxY", num::midXMaxYPoint, num::setMidXMaxYPoint, {12, 26}},
        {"maxXMaxY", num::maxXMaxYPoint, num::setMaxXMaxYPoint, {14, 26}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.read(r), c.expected);
        cg::Rect moved = r;
        c.write(moved, {100, 200});
        EXPECT_EQ(c.read(moved), (cg::Point{100, 200}));
        EXPECT_EQ(moved.size, r.size);
    }

    cg::Rect centred(3, 3, 10, 20);
    num::setCenter(centred, {0, 0});
    expectRect(centred, {-5, -10, 10, 20});
}

TEST(RectExtensions, EdgesReadAndMoveTheRectangle) {
    const cg::Rect r(10, 20, -4, 6);
    struct Case {
        const char* name;
        std::function<double(const cg::Rect&)> read;
        std::function<void(cg::Rect&, double)> write;
        double expected;
    };
    const Case cases[] = {
        {"x", num::x, num::setX, 10},
        {"y", num::y, num::setY, 20},
        {"centerX", num::centerX, num::setCenterX, 12},
        {"centerY", num::centerY, num::setCenterY, 23},
        {"maxXEdge", num::maxXEdge, num::setMaxXEdge, 14},
        {"maxYEdge", num::maxYEdge, num::setMaxYEdge, 26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(c.read(r), c.expected);
        cg::Rect moved = r;
        c.write(moved, 50);
        EXPECT_DOUBLE_EQ(c.read(moved), 50);
        EXPECT_EQ(moved.size, r.size);
    }
}

TEST(RectExtensions, DerivedRectangles) {
    const cg::Rect r(10, 20, -4, 6);  // W = 4, H = 6
    struct Case {
        const char* name;
        cg::Rect actual;
        cg::Rect expected;
    };
    const Case cases[] = {
        {"withOrigin", num::withOrigin(r, cg::Point{1, 2}), {1, 2, -4, 6}},
        {"withOrigin xy", num::withOrigin(r, 1, 2), {1, 2, -4, 6}},
        {"withX", num::withX(r, 7), {7, 20, -4, 6}},
        {"withY", num::withY(r, 7), {10, 7, -4, 6}},
        {"withSize", num::withSize(r, cg::Size{3, 5}), {10, 20, 3, 5}},
        {"withSize wh", num::withSize(r, 3, 5), {10, 20, 3, 5}},
        {"withWidth", num::withWidth(r, 9), {10, 20, 9, 6}},
        {"withHeight", num::withHeight(r, 9), {10, 20, 4, 9}},
        {"withXWidth", num::withXWidth(r, 1, 2), {1, 20, 2, 6}},
        {"withYHeight", num::withYHeight(r, 1, 2), {10, 1, 4, 2}},
        {"offsetBy point", num::offsetBy(r, cg::Point{1, -1}), {11, 19, -4, 6}},
        {"offsetBy xy", num::offsetBy(r, 1, -1), {11, 19, -4, 6}},
        {"offsetByX", num::offsetByX(r, 3), {13, 20, -4, 6}},
        {"offsetByY", num::offsetByY(r, 3), {10, 23, -4, 6}},
        {"inset", num::inset(cg::Rect(0, 0, 10, 20), 2), {2, 2, 6, 16}},
        {"insetX", num::insetX(r, 1), {11, 20, 2, 6}},
        {"insetY", num::insetY(r, 1), {10, 21, 4, 4}},
        {"inset edges", num::inset(r, 1, 2, 0.5, 1), {11, 22, 2.5, 3}},
        {"inset insets",
         num::inset(r, cg::EdgeInsets{.top = 1, .left = 1, .bottom = 2, .right = 0.5}),
         {11, 22, 2.5, 3}},
        {"centeredRect", num::centeredRect(r, {2, 2}), {11, 22, 2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectRect(c.actual, c.expected);
    }
    EXPECT_TRUE(num::inset(cg::Rect(0, 0, 10, 20), 6).isNull()) << "nothing left is the null rectangle";

    cg::Rect moved = r;
    num::moveX(moved, 2);
    num::moveY(moved, -2);
    expectRect(moved, {12, 18, -4, 6});
}

TEST(VectorExtensions, PointsAndSizesAsVectors) {
    const cg::Point p{3, -4};
    EXPECT_DOUBLE_EQ(num::magnitude(p), 5);
    EXPECT_DOUBLE_EQ(num::angle(cg::Point{0, 2}), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(num::angle(cg::Point{-1, 0}), std::numbers::pi);
    const cg::Point polar = num::fromAngle<cg::Point>(std::numbers::pi / 2, 2);
    EXPECT_NEAR(polar.x, 0, 1e-12);
    EXPECT_DOUBLE_EQ(polar.y, 2);
    EXPECT_EQ(num::negated(p), (cg::Point{-3, 4}));
    EXPECT_EQ(num::floored(cg::Point{1.5, -1.5}), (cg::Point{1, -2}));
    EXPECT_EQ(num::multiplied(p, 2), (cg::Point{6, -8}));
    EXPECT_EQ(num::multiplied(0.5, p), (cg::Point{1.5, -2}));
    cg::Point scaled = p;
    num::multiply(scaled, -1);
    EXPECT_EQ(scaled, (cg::Point{-3, 4}));
    EXPECT_EQ(num::divided(p, 2), (cg::Point{1.5, -2}));
    EXPECT_EQ(num::dividedComponentwise(cg::Size{10, 9}, cg::Size{2, 3}), (cg::Size{5, 3}));
    EXPECT_EQ(num::withFirst(cg::Size{10, 9}, 1), (cg::Size{1, 9}));
    EXPECT_EQ(num::withSecond(cg::Size{10, 9}, 1), (cg::Size{10, 1}));
}
