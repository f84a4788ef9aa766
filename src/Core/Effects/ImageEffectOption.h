#pragma once
// The numbered effect options of the job set-up screens: 2 noir, 3 sepia, 4 high-contrast
// monochrome, 5 automatic enhancement. Any thread.

#include "Platform/Image/Image.h"

#include <optional>

namespace core {

// The image with the option's effect; the image as it is for any other option, and when the
// high-contrast monochrome cannot be made.
std::optional<image::Image> applyImageEffectOption(const image::Image& image, int option);

}  // namespace core
