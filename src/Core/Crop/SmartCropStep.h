#pragma once
// The smart crops a job tries on an image larger than its target, in the order the preset asks for:
// the salient region, the faces, then the salient region filled. Runs on a job worker.

#include <filesystem>
#include <optional>

#include "Core/Crop/CropSender.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// The image cropped to `target`, or absent when no crop applies (the caller then scales it).
std::optional<image::Image> smartCropImage(const image::Image& image, const std::filesystem::path& source,
                                           cg::Size target, bool imageCrop, CropSender* sender);

}  // namespace core
