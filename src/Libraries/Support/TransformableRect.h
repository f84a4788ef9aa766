#pragma once
// TransformableRect: a rectangle carrying an affine transform applied about the rectangle's own
// centre, so that it can be rotated, scaled or moved in place; it answers hit tests, bounds and the
// move that makes it cover a target. A plain value; every answer is computed afresh. Any thread.

#include <array>
#include <span>

#include "Platform/Graphics/AffineTransform.h"

namespace support {

struct TransformableRect {
    // One side of the outline, from `start` to `end` (an edge and its reverse differ).
    struct Edge {
        cg::Point start, end;
        bool operator==(const Edge&) const = default;
    };

    cg::Rect rect;
    cg::AffineTransform transform;

    // The corners (minX, minY), (maxX, minY), (maxX, maxY), (minX, maxY) of `rect`, transformed.
    std::array<cg::Point, 4> corners() const;
    // Corner 0 to 1, 1 to 2, 2 to 3 and 3 to 0.
    std::array<Edge, 4> edges() const;
    // The midpoint of `rect` mapped by `transform` as it stands (about the origin of coordinates,
    // not about the rectangle's centre): with a rotation or scale it lies away from the shape's middle.
    cg::Point center() const;
    cg::Rect boundingBox() const;
    // Points on the outline count as inside.
    bool contains(cg::Point point) const;
    // Whether all four corners of `other` lie inside; with `shrinking`, `other` is first shrunk
    // about its centre by a hair (factor 0.9999) so that corners on the outline never fail by rounding.
    bool contains(const cg::Rect& other, bool shrinking) const;
    // The point of the outline closest to `point`; on a tie, the one on the earlier edge.
    cg::Point nearestOutlinePoint(cg::Point point) const;
    // The translation that, appended to `transform`, moves the shape so that the corners of
    // `target` fall inside it, as far as four rounds of nearest-point moves achieve.
    cg::AffineTransform coveringTranslation(const cg::Rect& target) const;
    // The same rectangle with `extra` applied after its transform.
    TransformableRect applying(const cg::AffineTransform& extra) const;

    bool operator==(const TransformableRect&) const = default;
};

// The winding number of the closed outline `edges` about `point`; 1 for a point on an edge.
int windingNumber(std::span<const TransformableRect::Edge> edges, cg::Point point);

}  // namespace support
