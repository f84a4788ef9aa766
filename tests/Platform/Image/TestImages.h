#pragma once
// Images that the tests draw with libvips and write to disk, so no binary fixture is kept.

#include <vips/vips8>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace imagetest {

// A w x h image of one 8-bit sRGB colour (3 bands, or 4 with alpha when the colour has 4 values).
vips::VImage solid(int w, int h, const std::vector<double>& colour);

// Top half `top`, bottom half `bottom`.
vips::VImage halves(int w, int h, const std::vector<double>& top, const std::vector<double>& bottom);

// Three vertical stripes of equal width: left, centre, right.
vips::VImage stripes(int w, int h, const std::vector<double>& left, const std::vector<double>& centre,
                     const std::vector<double>& right);

void save(const vips::VImage& image, const std::filesystem::path& path, vips::VOption* options = nullptr);

// The average value of each band over the rectangle.
std::vector<double> meanAt(const vips::VImage& image, int x, int y, int w, int h);

// A JPEG whose SOF header claims other dimensions than the (tiny) data behind it.
std::string jpegClaimingSize(int width, int height);

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);

}  // namespace imagetest
