#pragma once
// What the smart crops know of a photo: its faces and the union of its salient objects, found once on one
// small copy and given in the photo's own pixels, so that every crop of the photo shares one analysis and
// no detector ever sees the full-size picture. Runs on the caller's thread; the detectors of each thread
// are loaded once and reused.

#include <filesystem>
#include <optional>
#include <vector>

#include "Core/Crop/FaceDetector.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

struct CropAnalysis {
    std::vector<cg::Rect> faces;  // face boxes, top-left origin, in the detector's order
    // Top-left origin; none when nothing stands out, when no face was found, or when not asked for.
    std::optional<cg::Rect> salientUnion;
    bool saliencyAnalysed = false;  // whether the salient objects were looked for
};

// The long side of the copy the detectors work on, made from the file whatever the target, so that every
// crop of a photo sees the same faces. Measured on sharp and soft portraits framed against every edge of
// plain and busy photos (bench notes): at 800 every face from a twentieth of the long side (40 pixels) was
// found; at 640 one of twenty such faces (32 pixels, near the cascade's 24-pixel window) was still lost.
inline constexpr double kAnalysisSide = 800;

// What the decode the copy is made from must cover: the photo at twice the copy's long side (or whole, when
// smaller), so that the copy is always one Lanczos reduction from the same decode, and that decode is fine
// enough to serve most targets' crops as well (one decode of the file for both).
cg::Size analysisDecodeSize(cg::Size imageSize);

// The copy the detectors read, reduced to at most kAnalysisSide on its long side from `decoded`, the photo
// as loaded for analysisDecodeSize. Its pixels are computed now.
image::Image analysisCopyOf(const image::Image& decoded);

// analysisCopyOf the photo at `path` (upright size `imageSize`); none when the file does not load.
std::optional<image::Image> analysisCopy(const std::filesystem::path& path, cg::Size imageSize);

// The analysis of `copy`, a reduced copy of a photo of `imageSize`. A detector that cannot run prints
// why on standard output and finds nothing.
CropAnalysis analyseForCrop(const image::Image& copy, cg::Size imageSize, bool withSaliency,
                            const FaceFinder& findFaces);

}  // namespace core
