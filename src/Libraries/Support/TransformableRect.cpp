#include "Libraries/Support/TransformableRect.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Platform/Graphics/PointArithmetic.h"

namespace support {

namespace {

double dot(cg::Point a, cg::Point b) {
    return a.x * b.x + a.y * b.y;
}

// `transform` applied about the rectangle's centre.
cg::AffineTransform centred(const TransformableRect& shape) {
    const auto toOrigin = cg::AffineTransform::translation(-shape.rect.midX(), -shape.rect.midY());
    return toOrigin.concatenating(shape.transform).concatenating(toOrigin.inverted());
}

}  // namespace

std::array<cg::Point, 4> TransformableRect::corners() const {
    const cg::AffineTransform m = centred(*this);
    return {m.apply(cg::Point{rect.minX(), rect.minY()}), m.apply(cg::Point{rect.maxX(), rect.minY()}),
            m.apply(cg::Point{rect.maxX(), rect.maxY()}), m.apply(cg::Point{rect.minX(), rect.maxY()})};
}

std::array<TransformableRect::Edge, 4> TransformableRect::edges() const {
    const auto c = corners();
    return {Edge{c[0], c[1]}, Edge{c[1], c[2]}, Edge{c[2], c[3]}, Edge{c[3], c[0]}};
}

cg::Point TransformableRect::center() const {
    return transform.apply(
        cg::Point{rect.origin.x + rect.width() * 0.5, rect.origin.y + rect.height() * 0.5});
}

cg::Rect TransformableRect::boundingBox() const {
    const auto c = corners();
    cg::Rect box(c[0], cg::Size{});
    for (const cg::Point& corner : c) box = box.unionWith(cg::Rect(corner, cg::Size{}));
    return box;
}

int windingNumber(std::span<const TransformableRect::Edge> edges, cg::Point p) {
    int winding = 0;
    for (const auto& [a, b] : edges) {
        const double cross = (p.y - a.y) * (b.x - a.x) - (p.x - a.x) * (b.y - a.y);
        const bool inRange = std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x);
        if (a.y <= p.y && b.y >= p.y) {
            if (cross == 0 && inRange) return 1;
            if (cross > 0) ++winding;
        } else if (a.y >= p.y && b.y <= p.y) {
            if (cross == 0 && inRange) return 1;
            if (cross < 0) --winding;
        }
    }
    return winding;
}

bool TransformableRect::contains(cg::Point point) const {
    const auto outline = edges();
    return windingNumber(outline, point) != 0;
}

bool TransformableRect::contains(const cg::Rect& other, bool shrinking) const {
    cg::Rect r = other;
    if (shrinking) {
        const double cx = other.origin.x + other.width() * 0.5, cy = other.origin.y + other.height() * 0.5;
        r = cg::AffineTransform::identity()
                .translatedBy(cx, cy)
                .scaledBy(0.9999, 0.9999)
                .translatedBy(-cx, -cy)
                .apply(other);
    }
    const auto outline = edges();
    for (const cg::Point corner : {cg::Point{r.minX(), r.minY()}, cg::Point{r.maxX(), r.minY()},
                                   cg::Point{r.maxX(), r.maxY()}, cg::Point{r.minX(), r.maxY()}})
        if (windingNumber(outline, corner) == 0) return false;
    return true;
}

cg::Point TransformableRect::nearestOutlinePoint(cg::Point p) const {
    const auto outline = edges();
    cg::Point best = outline[0].start;
    double bestDistance = std::numeric_limits<double>::max();
    for (const auto& [a, b] : outline) {
        // A zero-length edge gives NaN here; std::min keeps the NaN, so that edge never wins.
        double t = dot(p - a, b - a) / dot(b - a, b - a);
        t = std::min(t, 1.0);
        if (t <= 0) t = 0;
        const cg::Point candidate = a + (b - a) * t;
        const double distance = std::sqrt(dot(candidate - p, candidate - p));
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

cg::AffineTransform TransformableRect::coveringTranslation(const cg::Rect& target) const {
    cg::AffineTransform correction = cg::AffineTransform::identity();
    cg::AffineTransform current = transform;
    for (int pass = 0; pass < 4; ++pass) {
        for (const cg::Point q :
             {cg::Point{target.minX(), target.minY()}, cg::Point{target.maxX(), target.maxY()},
              cg::Point{target.maxX(), target.minY()}, cg::Point{target.minX(), target.maxY()}}) {
            const TransformableRect moved{rect, current};
            const auto outline = moved.edges();
            if (windingNumber(outline, q) != 0) continue;
            const cg::Point p = moved.nearestOutlinePoint(q);
            correction = correction.translatedBy(q.x - p.x, q.y - p.y);
            current = transform.concatenating(correction);
        }
    }
    return correction;
}

TransformableRect TransformableRect::applying(const cg::AffineTransform& extra) const {
    return {rect, transform.concatenating(extra)};
}

}  // namespace support
