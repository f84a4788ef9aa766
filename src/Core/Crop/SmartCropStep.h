#pragma once
// The smart crops a job tries on an image larger than its target, in the order the preset asks for:
// the salient region, then the faces. The photo is decoded once, scaled to cover the target; one small
// copy of it is analysed once for both crops. Runs on a job worker.

#include <filesystem>
#include <optional>

#include "Core/Crop/CropSender.h"
#include "Core/Crop/FaceDetector.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// The photo at `source` (upright size `original`) cropped to exactly `target`, or absent when no crop
// applies (no face found; the caller then scales it). `decoded`, when given, receives the photo as it was
// decoded for the crop, scaled to cover the target, so that the caller's fallback need not decode it again.
std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces = visionFaceFinder(),
                                           std::optional<image::Image>* decoded = nullptr);

}  // namespace core
