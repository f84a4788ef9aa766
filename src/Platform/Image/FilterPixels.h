#pragma once
// Pixel building blocks shared by the filter implementations: colour and alpha apart, lookup tables,
// luminance, blending and rounding back to 8 bits. All lazy libvips steps. Thread-safe.

#include <vips/vips8>

#include <functional>
#include <optional>
#include <vector>

namespace ci::px {

using Curve = std::function<double(double)>;  // 0...1 to 0...1 (values outside are clipped)

// The colour bands (float or 8-bit) and the alpha band of an 8-bit sRGB image.
struct Split {
    vips::VImage rgb;
    std::optional<vips::VImage> alpha;
};
Split split(const vips::VImage& in);

// Rounded and clipped to 8 bits, tagged sRGB, with `alpha` joined back when there is one.
vips::VImage finish(const vips::VImage& rgb, const std::optional<vips::VImage>& alpha);

// Applies `effect` to the colour bands of an 8-bit image and keeps its alpha.
vips::VImage onColour(const vips::VImage& in, const std::function<vips::VImage(const vips::VImage&)>& effect);

// A 256-entry table of `curve` for every band alike, or one curve per band.
vips::VImage lookupTable(const Curve& curve);
vips::VImage lookupTable(const Curve& red, const Curve& green, const Curve& blue);
// A 256-entry float table, one band per list (a one-band 8-bit image mapped through it gets them all).
vips::VImage floatLookup(const std::vector<std::vector<double>>& bands);
// Every n-th pixel, so the long side is at most `longSide`: a cheap reduced copy for analyses.
vips::VImage analysisCopy(const vips::VImage& image, int longSide);
// Maps 8-bit bands through a table (fast: a table read per sample).
vips::VImage mapped(const vips::VImage& uchar, const vips::VImage& table);

// Rec. 709 luma of the colour bands, in 0...255 as float, one band.
vips::VImage luma(const vips::VImage& rgb);
// One band repeated to three.
vips::VImage grey3(const vips::VImage& band);
// a + (b - a) * t, t a number or an image of one band.
vips::VImage mix(const vips::VImage& a, const vips::VImage& b, double t);
vips::VImage mix(const vips::VImage& a, const vips::VImage& b, const vips::VImage& t);
// A 3x3 colour matrix (rows = output bands) on the colour bands, float result.
vips::VImage matrix(const vips::VImage& rgb, const std::vector<double>& rowMajor3x3);
// x held inside lo...hi.
vips::VImage clamped(const vips::VImage& x, double lo, double hi);
// Hermite smooth step of `x` between e0 and e1, as in shading languages.
vips::VImage smoothstep(double e0, double e1, const vips::VImage& x);

// The x and y coordinate of every pixel of a w x h image, float, two bands.
vips::VImage coordinates(int width, int height);
// Samples `in` at the float (x, y) of `index` (two bands), nearest pixel, coordinates held inside.
vips::VImage sampled(const vips::VImage& in, const vips::VImage& index);

// Trilinear lookup of 8-bit colours in a colour cube stored as d x d tiles (red across, green down,
// one tile per blue step, `tilesPerRow` tiles a row). Float result in 0...255.
vips::VImage cubeLookup(const vips::VImage& rgb, const vips::VImage& table, int d, int tilesPerRow);

// An image holding its own copy of `size` bytes of pixels.
vips::VImage copyOf(const void* data, size_t size, int width, int height, int bands, VipsBandFormat format);

// A monotone cubic (Fritsch-Carlson) through points sorted by x; flat beyond the ends.
Curve splineThrough(std::vector<std::pair<double, double>> points);

}  // namespace ci::px
