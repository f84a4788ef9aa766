// The transformed rectangle's hit tests against an independent point-in-polygon check, and its
// bounds, nearest outline points and covering moves on shapes whose answers are known.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "Libraries/Support/TransformableRect.h"

namespace support {
namespace {

using cg::AffineTransform;
using cg::Point;
using cg::Rect;

constexpr double pi = std::numbers::pi;

// Ray casting to the right, by the crossing count: a different method from the winding number.
bool insidePolygon(const std::array<Point, 4>& polygon, Point p) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

void expectNear(Point actual, Point expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-9) << what;
}

TEST(TransformableRectTest, ContainmentAgreesWithPointInPolygonAfterRotations) {
    std::mt19937 random(9104);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    int inside = 0, outside = 0;
    for (int shape = 0; shape < 300; ++shape) {
        const Rect rect(uniform(-50, 50), uniform(-50, 50), uniform(1, 40), uniform(1, 40));
        const double angle = uniform(-pi, pi);
        const AffineTransform transform =
            AffineTransform::rotation(angle)
                .concatenating(AffineTransform::scale(uniform(0.3, 2), uniform(0.3, 2)))
                .concatenating(AffineTransform::translation(uniform(-20, 20), uniform(-20, 20)));
        const TransformableRect shaped{rect, transform};
        const auto corners = shaped.corners();
        // The transform turns about the rectangle's centre: a pure rotation keeps that centre fixed.
        const TransformableRect turned{rect, AffineTransform::rotation(angle)};
        const auto turnedCorners = turned.corners();
        expectNear(
            {(turnedCorners[0].x + turnedCorners[2].x) / 2, (turnedCorners[0].y + turnedCorners[2].y) / 2},
            {rect.midX(), rect.midY()}, "rotation about the centre");

        const Rect box = shaped.boundingBox();
        for (int k = 0; k < 200; ++k) {
            const Point p{uniform(box.minX() - 5, box.maxX() + 5), uniform(box.minY() - 5, box.maxY() + 5)};
            double nearest = std::numeric_limits<double>::max();
            for (std::size_t i = 0; i < 4; ++i)
                nearest = std::min(nearest, distanceToSegment(p, corners[i], corners[(i + 1) % 4]));
            if (nearest < 1e-7) continue;  // on the outline, where rounding decides
            const bool expected = insidePolygon(corners, p);
            ASSERT_EQ(shaped.contains(p), expected) << "shape " << shape << " point " << p.x << "," << p.y;
            (expected ? inside : outside)++;
            // The nearest outline point is on the outline and no farther than the nearest edge.
            const Point q = shaped.nearestOutlinePoint(p);
            EXPECT_NEAR(std::hypot(q.x - p.x, q.y - p.y), nearest, 1e-9);
        }
        double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
        for (const Point corner : corners) {
            EXPECT_TRUE(shaped.contains(corner));
            x0 = std::min(x0, corner.x), x1 = std::max(x1, corner.x);
            y0 = std::min(y0, corner.y), y1 = std::max(y1, corner.y);
        }
        EXPECT_EQ(box.minX(), x0);
        EXPECT_EQ(box.minY(), y0);
        EXPECT_NEAR(box.maxX(), x1, 1e-12);
        EXPECT_NEAR(box.maxY(), y1, 1e-12);
        for (std::size_t i = 0; i < 4; ++i) {
            const Point a = corners[i], b = corners[(i + 1) % 4];
            // Midpoints of edges are exact enough to land on the outline only for axis-aligned edges;
            // a point just inside the middle of each edge must be inside.
            const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
            const Point centre{(corners[0].x + corners[2].x) / 2, (corners[0].y + corners[2].y) / 2};
            EXPECT_TRUE(
                shaped.contains(Point{mid.x + (centre.x - mid.x) * 1e-3, mid.y + (centre.y - mid.y) * 1e-3}));
        }
    }
    // The check saw both answers plenty of times.
    EXPECT_GT(inside, 10000);
    EXPECT_GT(outside, 10000);
}

TEST(TransformableRectTest, KnownShapes) {
    // A square of side 2 about the origin, turned 45 degrees.
    const TransformableRect diamond{Rect(-1, -1, 2, 2), AffineTransform::rotation(pi / 4)};
    const auto c = diamond.corners();
    const double r = std::sqrt(2.0);
    expectNear(c[0], {0, -r}, "corner 0");
    expectNear(c[1], {r, 0}, "corner 1");
    expectNear(c[2], {0, r}, "corner 2");
    expectNear(c[3], {-r, 0}, "corner 3");
    EXPECT_NEAR(diamond.boundingBox().width(), 2 * r, 1e-9);
    EXPECT_TRUE(diamond.contains(Point{1.3, 0}));
    EXPECT_FALSE(diamond.contains(Point{1.3, 1.3}));

    // Without a transform: the rectangle itself, edges and corners inside.
    const Rect plain(10, 20, 30, 40);
    const TransformableRect same{plain, {}};
    EXPECT_EQ(same.corners(),
              (std::array<Point, 4>{Point{10, 20}, Point{40, 20}, Point{40, 60}, Point{10, 60}}));
    EXPECT_EQ(same.boundingBox(), plain);
    EXPECT_EQ(same.edges()[1], (TransformableRect::Edge{{40, 20}, {40, 60}}));
    EXPECT_NE(same.edges()[1], (TransformableRect::Edge{{40, 60}, {40, 20}}));
    for (const Point p : {Point{10, 20}, Point{40, 60}, Point{25, 20}, Point{10, 45}, Point{40, 30}})
        EXPECT_TRUE(same.contains(p)) << p.x << "," << p.y;
    for (const Point p : {Point{9.999, 30}, Point{25, 60.001}, Point{41, 61}}) EXPECT_FALSE(same.contains(p));
    EXPECT_TRUE(same.contains(plain, false));
    EXPECT_TRUE(same.contains(plain, true));
    EXPECT_FALSE(same.contains(Rect(11, 21, 30, 10), false));
    EXPECT_EQ(windingNumber({}, Point{0, 0}), 0);

    // The centre is the midpoint mapped by the transform about the origin of coordinates.
    EXPECT_EQ((TransformableRect{Rect(10, 10, 2, 2), AffineTransform::translation(5, 0)}.center()),
              (Point{16, 11}));
    expectNear(TransformableRect{Rect(10, 10, 2, 2), AffineTransform::rotation(pi / 2)}.center(), {-11, 11},
               "centre");

    // Nearest outline points: the projection on the nearest edge, or the corner beyond which a point lies.
    EXPECT_EQ(same.nearestOutlinePoint({12, 50}), (Point{10, 50}));
    EXPECT_EQ(same.nearestOutlinePoint({50, 70}), (Point{40, 60}));
    EXPECT_EQ(same.nearestOutlinePoint({25, 0}), (Point{25, 20}));
    // A rectangle without width: its zero-length edges never win, the long ones do.
    const TransformableRect line{Rect(5, 0, 0, 10), {}};
    EXPECT_EQ(line.nearestOutlinePoint({7, 4}), (Point{5, 4}));
    EXPECT_EQ(line.nearestOutlinePoint({5, -3}), (Point{5, 0}));

    EXPECT_EQ((TransformableRect{Rect(0, 0, 1, 1), AffineTransform::scale(2, 3)}.applying(
                  AffineTransform::translation(4, 5))),
              (TransformableRect{Rect(0, 0, 1, 1), AffineTransform{2, 0, 0, 3, 4, 5}}));
}

TEST(TransformableRectTest, CoveringTranslationMovesTheShapeOverTheTarget) {
    const TransformableRect square{Rect(0, 0, 10, 10), {}};
    EXPECT_TRUE(square.coveringTranslation(Rect(2, 2, 3, 3)).isIdentity());
    EXPECT_EQ(square.coveringTranslation(Rect(5, 5, 10, 10)), AffineTransform::translation(5, 5));

    // Any target that fits is covered after the move, wherever it lies, for an upright shape.
    std::mt19937 random(3);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int k = 0; k < 500; ++k) {
        const TransformableRect shape{
            Rect(uniform(-20, 20), uniform(-20, 20), uniform(5, 30), uniform(5, 30)),
            AffineTransform::scale(uniform(0.5, 2), uniform(0.5, 2))};
        const Rect box = shape.boundingBox();
        const Rect target(uniform(-100, 100), uniform(-100, 100), uniform(0, box.width()),
                          uniform(0, box.height()));
        const AffineTransform move = shape.coveringTranslation(target);
        EXPECT_EQ(move.a, 1);
        EXPECT_EQ(move.d, 1);
        const TransformableRect moved{shape.rect, shape.transform.concatenating(move)};
        EXPECT_TRUE(moved.contains(target.insetBy(1e-6, 1e-6), false)) << k;
    }
}

}  // namespace
}  // namespace support
