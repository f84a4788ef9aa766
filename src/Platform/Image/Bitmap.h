#pragma once
// An image's pixels held in memory, 8 bits a band, rows packed, bands interleaved; and images made from
// such pixels or filled with one colour. For code that must read pixels itself (checks, detectors).
// Plain values; thread-safe.

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace image {

struct Bitmap {
    int width = 0, height = 0, bands = 0;
    std::vector<std::uint8_t> bytes;

    std::uint8_t at(int x, int y, int band) const {
        return bytes[(std::size_t(y) * width + x) * bands + band];
    }
};

// Renders the image's pipeline into memory.
Bitmap bitmap(const Image& image);

// An sRGB image of these pixels (3 bands, or 4 with alpha); absent when the sizes do not add up.
std::optional<Image> imageFromBitmap(const Bitmap& pixels);

// An image of one colour, with alpha when the colour is not opaque; absent below one pixel a side.
std::optional<Image> filledImage(cg::Size size, const cg::Color& colour);

}  // namespace image
