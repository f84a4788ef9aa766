#pragma once
// The automatic adjustments proposed for a photo: our own analysis of its luminance histogram and
// colourfulness, run on a reduced copy. It proposes at most a "CIVibrance", a "CIToneCurve" (levels
// and midtone: the exposure and contrast) and a "CIHighlightShadowAdjust" filter, leaving out any that
// would change nothing, so a well-exposed photo gets few and mild proposals. Thread-safe.

#include "Platform/Image/Filter.h"
#include "Platform/Image/Image.h"

#include <vector>

namespace ci {

// The proposed filters in the order vibrance, tone curve, highlights and shadows, each with its
// values set and no input image. Empty for an image that needs nothing (or cannot be read).
std::vector<Filter> autoAdjustmentFilters(const image::Image& image);

}  // namespace ci
