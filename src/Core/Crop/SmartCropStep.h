#pragma once
// The smart crops a job tries on an image larger than its target, in the order the preset asks for:
// the salient region, then the faces. One small copy of the photo is analysed once for both, and the
// chosen area is decoded with only the detail it needs. Runs on a job worker.

#include <filesystem>
#include <optional>

#include "Core/Crop/CropSender.h"
#include "Core/Crop/FaceDetector.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// The photo at `source` (upright size `original`) cropped to exactly `target`, or absent when no crop
// applies (no face found; the caller then scales it).
std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces = visionFaceFinder());

}  // namespace core
