#include "Core/Watermark/WatermarkPlacement.h"

#include <algorithm>

namespace core {

cg::Rect watermarkRect(int position, cg::Size markSize, cg::Size imageSize) {
    const double W = imageSize.width, H = imageSize.height;
    const double bw = std::min(W / 3, markSize.width), bh = std::min(H / 3, markSize.height);
    if (position < 21 || position > 29) return cg::Rect(bw - markSize.width, bh - markSize.height, bw, bh);
    // Codes run row by row from the top; y grows upwards, so the top row has the highest origin.
    const int column = (position - 21) % 3, rowFromTop = (position - 21) / 3;
    const double cellX = column * W / 3, cellY = (2 - rowFromTop) * H / 3;
    return cg::Rect(cellX + (W / 3 - bw) / 2, cellY + (H / 3 - bh) / 2, bw, bh);
}

cg::Rect watermarkRectFromTop(int position, cg::Size markSize, cg::Size imageSize) {
    const cg::Rect r = watermarkRect(position, markSize, imageSize);
    return cg::Rect(r.origin.x, imageSize.height - (r.origin.y + r.size.height), r.size.width, r.size.height);
}

double watermarkOpacity(double alpha) {
    return alpha > 1.0 ? alpha / 100.0 : alpha;
}

}  // namespace core
