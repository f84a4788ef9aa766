#pragma once
// The photographic corrections that are not catalogue effects: the automatic enhancement (proposed
// adjustments applied as a chain), the noir conversion and the high-contrast monochrome. Pure
// functions of their inputs, lazy like every image operation; any thread.

#include "Core/Effects/FilterDefinition.h"
#include "Platform/Image/Filter.h"
#include "Platform/Image/Image.h"

#include <optional>
#include <vector>

namespace core {

// A filter named by the definition with its parameters set; absent when no such filter exists.
std::optional<ci::Filter> makeFilter(const FilterDefinition& definition);
// Sets the definition's parameters on an existing filter.
void applyDefinition(ci::Filter& filter, const FilterDefinition& definition);

// The image through the definitions' filters, in order; definitions without a filter are left out.
// The very same image when nothing is left to apply.
image::Image applying(const image::Image& image, const std::vector<FilterDefinition>& definitions);

// The adjustments the image analysis proposes for the image, as definitions (those that cannot be
// read back are dropped).
std::vector<FilterDefinition> autoAdjustmentDefinitions(const image::Image& image);

// The image with the proposed adjustments applied in full (each blended from its kind's start with
// the fraction 1).
image::Image autoAdjusted(const image::Image& image);

// Black and white with strong contrast; the image itself on failure.
image::Image noirFiltered(const image::Image& image);

// Greyscale with contrast 1.1, then 0.7 EV brighter; absent on failure.
std::optional<image::Image> highContrastMono(const image::Image& image);

}  // namespace core
