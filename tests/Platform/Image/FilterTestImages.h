#pragma once
// Helpers for the filter tests: generated inputs, running a filter by name, and measurements.

#include "Platform/Image/Filter.h"
#include "Platform/Image/VipsImage.h"

#include <optional>
#include <string_view>
#include <vector>

namespace filtertest {

// Uniform grey `level` plus Gaussian noise of `sigma`, 8-bit sRGB.
vips::VImage noisy(int w, int h, double level, double sigma, int seed = 7);
// Left half `left`, right half `right` (grey levels), optional noise.
vips::VImage step(int w, int h, double left, double right, double sigma = 0);

// The filter's output for an image, with extra inputs; fails the test when the filter is unknown.
std::optional<vips::VImage> run(std::string_view name, const vips::VImage& input,
                                const ci::Parameters& extra = {});

// Every band's values at pixel (x, y).
std::vector<double> at(const vips::VImage& image, int x, int y);
// The largest absolute difference between two images of the same shape.
double maxDifference(const vips::VImage& a, const vips::VImage& b);
// The luma value below which `fraction` of the pixels lie.
double percentile(const vips::VImage& image, double fraction);

}  // namespace filtertest
