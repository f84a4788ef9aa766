#pragma once
// Measuring, cutting, scaling and rotating images. Every operation returns a new lazy image and
// leaves its input alone; resampling is Lanczos-3 throughout. Thread-safe.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace image {

// The size in pixels; one point is one pixel, so this is also the image's size.
cg::Size pixelSize(const Image& image);

}  // namespace image
