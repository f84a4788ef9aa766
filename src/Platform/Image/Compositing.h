#pragma once
// Drawing one image over another, as a watermark is drawn: source-over, the drawn image squeezed or
// stretched into its rectangle without keeping its proportions, its alpha multiplied by a fraction.
// Lazy like every image operation. Thread-safe.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace image {

// `mark` drawn into `rect` (pixels, origin at the top left, made whole by rounding its edges) over
// `image` with opacity `fraction` (0...1). What falls outside the image is dropped; the result has the
// image's size and bands, and pixels outside `rect` are the image's own.
Image drawnInRect(const Image& image, const Image& mark, const cg::Rect& rect, double fraction);

}  // namespace image
