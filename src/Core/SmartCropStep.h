#pragma once
// The smart crops a job tries on an image larger than its target: the salient region, then the faces,
// then the salient region filled, as the preset asks. Runs on a job worker.

#include <filesystem>
#include <functional>
#include <optional>

#include "Core/WatermarkOptions.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// Called with the cropped image and the window it was cut from, for the preview.
using CropPreview = std::function<void(const image::Image&, const cg::Rect&)>;

// The image cropped to `target`, or absent when no crop applies (the caller then scales it).
std::optional<image::Image> smartCropImage(const image::Image& image, const std::filesystem::path& source,
                                           cg::Size target, bool imageCrop, const CropPreview& preview);

// The image with the job's watermark drawn on it; the image itself when the options ask for none.
image::Image applyWatermark(const image::Image& image, const WatermarkOptions& options);

}  // namespace core
