#pragma once
// Brings any decoded image to 8-bit sRGB (plus alpha when it has one), the one pixel form the rest of
// the layer works in. Lazy: it only adds steps to the pipeline. Thread-safe.

#include <vips/vips8>

namespace image::detail {

// Pixels tagged with a colour profile are converted through it (wide-gamut photos keep their look);
// CMYK without a profile goes through libvips' own CMYK profile; greyscale, 16-bit and Lab become
// 8-bit sRGB. The result carries no colour profile: its values are sRGB.
vips::VImage toSRGB8(const vips::VImage& in);

}  // namespace image::detail
