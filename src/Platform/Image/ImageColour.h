#pragma once
// Simple colour treatments of whole images. Lazy like every image operation. Thread-safe.

#include "Platform/Graphics/Color.h"
#include "Platform/Image/Image.h"

namespace image {

// Sepia toning: 1 gives the full brown-and-cream look, 0 the image unchanged; intensities outside
// 0...1 are held to that range. Alpha is kept.
Image sepiaToned(const Image& image, int intensity);

// The colour laid over every visible pixel (source-atop): the colour's own alpha says how much of it
// covers the image, and the image's transparency is kept as it is.
Image tinted(const Image& image, const cg::Color& colour);

}  // namespace image
