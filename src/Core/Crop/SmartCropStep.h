#pragma once
// The smart crops a job tries on an image larger than its target, in the order the preset asks for:
// the salient region, then the faces. One small copy of the file, the same whatever the target, is analysed
// once for both crops; the window is cut from the decode it is made from too, unless the target needs a finer
// one. Runs on a job worker.

#include <filesystem>
#include <optional>

#include "Core/Crop/CropAnalyses.h"
#include "Core/Crop/CropSender.h"
#include "Core/Crop/FaceDetector.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// The photo at `source` (upright size `original`) cropped to exactly `target`, or absent when no crop
// applies (no face found; the caller then scales it). `decoded`, when given, receives the photo as it was
// decoded for the crop, at least large enough to cover the target, so that the caller's fallback need not
// decode it again.
// `analyses`, when given, holds the photo's analysis for the job's other crops of it.
std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces = visionFaceFinder(),
                                           std::optional<image::Image>* decoded = nullptr,
                                           CropAnalyses* analyses = nullptr);

}  // namespace core
