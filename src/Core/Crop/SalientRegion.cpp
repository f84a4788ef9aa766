#include "Core/Crop/SalientRegion.h"

#include <algorithm>
#include <limits>

namespace core {

std::optional<cg::Rect> salientUnion(const std::vector<cg::Rect>& boxes, double W, double H) {
    if (boxes.empty()) return std::nullopt;
    double minX = std::numeric_limits<double>::infinity(), minY = minX, maxX = 0, maxY = 0;
    for (const cg::Rect& b : boxes) {
        const cg::Rect r(b.origin.x * W, b.origin.y * H, b.size.width * W, b.size.height * H);
        minX = std::min(minX, r.origin.x);
        minY = std::min(minY, r.origin.y);
        maxX = std::max(maxX, r.origin.x + r.size.width);
        maxY = std::max(maxY, r.origin.y + r.size.height);
    }
    return cg::Rect(minX, H - maxY, maxX - minX, maxY - minY);
}

cg::Rect grownToTarget(const cg::Rect& region, cg::Size target, double W, double H) {
    const double w = std::min(std::max(region.width(), target.width), W);
    const double h = std::min(std::max(region.height(), target.height), H);
    const double x = std::clamp(region.midX() - w / 2, 0.0, W - w);
    const double y = std::clamp(region.midY() - h / 2, 0.0, H - h);
    return cg::Rect(x, y, w, h);
}

}  // namespace core
