#pragma once
// Making colours from 8-bit channels, packed 0xRRGGBB numbers and plain components. Pure functions, any
// thread. No colour made here holds NaN: a NaN component becomes 0 and a NaN alpha 1.

#include <cstdint>
#include <optional>

#include "Platform/Graphics/Color.h"

namespace colour {

// Channels 0...255, each / 255; no colour when any channel lies outside. Alpha clamped to 0...1.
std::optional<cg::Color> fromRGB(int red, int green, int blue, double alpha);

// Bits 16-23, 8-15 and 0-7 of the number (higher bits ignored, negative numbers read in two's
// complement), each / 255; alpha clamped to 0...1.
cg::Color fromRGBHex(std::int64_t rgbHex, double alpha = 1);

// The four components as they are (extended values outside 0...1 are kept).
cg::Color fromRGBA(double red, double green, double blue, double alpha);

}  // namespace colour
