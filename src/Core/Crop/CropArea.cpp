#include "Core/Crop/CropArea.h"

#include <algorithm>
#include <cmath>

#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/SalientRegion.h"

namespace core {

double coverScale(cg::Size image, cg::Size target) {
    const cg::Size cover = faceCropFillSize(image, target, false);
    return std::max(cover.width / image.width, cover.height / image.height);
}

cg::Size coveringSize(cg::Size image, cg::Size target) {
    const double s = coverScale(image, target);
    // A hair of tolerance: W0 × (tw / W0) must not come back one pixel short of tw.
    return {std::floor(image.width * s + 1e-6), std::floor(image.height * s + 1e-6)};
}

namespace {

cg::Rect scaled(const cg::Rect& r, double s) {
    return cg::Rect(r.minX() * s, r.minY() * s, r.width() * s, r.height() * s);
}

cg::Rect moved(const cg::Rect& r, double dx, double dy) {
    return cg::Rect(r.minX() + dx, r.minY() + dy, r.width(), r.height());
}

}  // namespace

std::optional<cg::Rect> faceCropArea(const std::vector<cg::Rect>& faceBoxes, cg::Size image, cg::Size target,
                                     bool fill) {
    if (faceBoxes.empty() || image.width < 1 || image.height < 1 || target.width < 1 || target.height < 1)
        return std::nullopt;
    const double s = coverScale(image, target);
    // The working picture as the placement rules see it, whole pixels as a resize would give.
    const cg::Size working = coveringSize(image, target);
    const double W = working.width, H = working.height;
    const cg::Size fillSize = faceCropFillSize(image, target, fill);
    const FaceCropGeometry geometry{W, H, target.width, target.height, fillSize.width, fillSize.height, fill};

    std::vector<cg::Rect> boxes, rules;
    for (const cg::Rect& face : faceBoxes) {
        const cg::Rect box = scaled(face, s);
        boxes.push_back(box);
        // The rules measure a face from the top of the picture to its lower edge.
        rules.push_back(cg::Rect(box.minX(), box.maxY(), box.width(), box.height()));
    }
    const auto window = faceCropWindow(rules, geometry);
    if (!window) return std::nullopt;
    const auto held = windowHoldingFaces(*window, boxes, W, H);
    if (!held) return std::nullopt;
    return scaled(*held, 1 / s);
}

std::optional<cg::Rect> salientCropArea(const cg::Rect& salientUnion, const std::vector<cg::Rect>& faceBoxes,
                                        cg::Size image, cg::Size target, bool fill) {
    const double s = fill ? coverScale(image, target) : 1.0;
    const cg::Size least{target.width / s, target.height / s};
    const cg::Rect bounds(0, 0, image.width, image.height);
    std::vector<cg::Rect> faces;
    for (const cg::Rect& face : faceBoxes) {
        const cg::Rect clipped = face.intersection(bounds);
        if (!clipped.isEmpty()) faces.push_back(clipped);
    }
    // Whole pixels outwards, so that the sum of a corner and a size cannot fall a hair short.
    const auto takenIn = [&](const cg::Rect& a, const cg::Rect& b) {
        return a.unionWith(b).integral().intersection(bounds);
    };
    cg::Rect region = grownToTarget(salientUnion, least, image.width, image.height);
    // The region never cuts a face: one it touches comes in whole with its headroom (and may bring it into
    // another), and with room for a window of the target's proportions that holds it, which the face crop
    // grows to when the face is larger than the target.
    bool grew = true;
    for (std::size_t pass = 0; grew && pass <= faces.size(); ++pass) {
        grew = false;
        for (const cg::Rect& face : faces) {
            if (!region.intersects(face)) continue;
            const cg::Rect head = faceWithHeadroom(face).intersection(bounds);
            const double k = std::max(head.width() / least.width, head.height() / least.height);
            const cg::Size room{std::min(least.width * k, image.width),
                                std::min(least.height * k, image.height)};
            const bool roomy = region.width() >= room.width - 1e-6 && region.height() >= room.height - 1e-6;
            if (region.contains(face) && region.contains(head) && roomy) continue;
            region = takenIn(region, head.unionWith(face).intersection(bounds));
            if (k > 1) region = grownToTarget(region, room, image.width, image.height);
            grew = true;
        }
    }
    std::vector<cg::Rect> inside;
    for (const cg::Rect& face : faces) {
        if (region.contains(face)) inside.push_back(moved(face, -region.minX(), -region.minY()));
    }
    const auto area = faceCropArea(inside, region.size, target, fill);
    if (!area) return std::nullopt;
    return moved(*area, region.minX(), region.minY());
}

}  // namespace core
