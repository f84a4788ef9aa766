#pragma once
// The source-over blend behind drawnInRect and the text drawing, on libvips images. Platform/Image only.

#include <vips/vips8>

#include "Platform/Graphics/Geometry.h"

namespace image::detail {

// `overlay` (sRGB with alpha, 8-bit) laid over `base` with its top-left corner at (left, top), its
// alpha scaled by `fraction`; the parts outside `base` are dropped. Keeps base's size and bands.
vips::VImage blendedOver(const vips::VImage& base, const vips::VImage& overlay, int left, int top,
                         double fraction);

// A rectangle on whole pixels, each edge rounded to the nearest.
struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool isEmpty() const { return width < 1 || height < 1; }
};
PixelBox pixelBox(const cg::Rect& rect);

}  // namespace image::detail
