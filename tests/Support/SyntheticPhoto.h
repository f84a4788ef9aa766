#pragma once
// A photo-like scene drawn with libvips (sky, sun, hills, a house, a lake, a face-coloured disc, trees
// and sensor noise), so effects can be judged and measured without a binary fixture. Deterministic.

#include <vips/vips8>

namespace testsupport {

// An 8-bit sRGB scene of w x h using most of the tonal range, as a well-exposed photo does.
vips::VImage syntheticPhoto(int width, int height);

// The same scene underexposed and flat: its tones squeezed into the dark quarter of the range.
vips::VImage darkFlatPhoto(int width, int height);

}  // namespace testsupport
