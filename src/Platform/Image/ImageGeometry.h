#pragma once
// Measuring, cutting, scaling and rotating images. Every operation returns a new lazy image and
// leaves its input alone: nothing is computed until the result's pixels are read or it is encoded.
// Sizes and rectangles are in pixels (one point is one pixel), with the origin at the top left.
// Scaling is Lanczos-3. Thread-safe.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

#include <optional>

namespace image {

// The size in pixels; one point is one pixel, so this is also the image's size.
cg::Size pixelSize(const Image& image);

// The part of the image inside `rect` (made integral, then cut to the image's bounds). Absent when
// nothing of the image is inside it.
std::optional<Image> cropped(const Image& image, const cg::Rect& rect);

// The image stretched or squeezed to exactly `size` (fractions dropped). Absent when a side would be
// below one pixel.
std::optional<Image> resized(const Image& image, cg::Size size);

// Scaled to cover `size` (fractions dropped) keeping its proportions, then cut to `size` around the
// centre. Absent when a side of `size` is below one pixel.
std::optional<Image> aspectFillCropped(const Image& image, cg::Size size);

// The whole image drawn at `size`; the image itself when a side of `size` is below one pixel.
Image drawnScaled(const Image& image, cg::Size size);
Image redrawn(const Image& image, int width, int height);

// Turned anticlockwise by `degrees` about its centre, on a canvas of the turned bounding box; the
// corners that the turn uncovers are transparent.
Image rotated(const Image& image, double degrees);

}  // namespace image
