#pragma once
// The text entries an image carries from its source (a PNG's tEXt, zTXt and iTXt chunks, which libvips
// keeps as "png-comment-N-keyword") that the PNG saver cannot write. libpng reads a text whose keyword
// is empty or holds no printable character, but refuses to write one, and libvips then refuses the whole
// file. Thread-safe.

#include <vips/vips8>

namespace image::detail {

// Removes from `image` (a copy of its own, not yet shared) the text entries that no saver would write.
void dropUnwritableText(vips::VImage& image);

}  // namespace image::detail
