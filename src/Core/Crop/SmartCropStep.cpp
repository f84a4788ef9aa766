#include "Core/Crop/SmartCropStep.h"

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"

namespace core {

std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces) {
    const auto copy = analysisCopy(source);
    if (!copy) return std::nullopt;
    // Without crop to fill the salient region comes first, then the faces of the whole photo. With it,
    // the faces of the whole photo, then the salient region filled; but that region's faces are some of
    // the faces already found, so it can crop only where the first try did, and is not tried.
    const CropAnalysis analysis = analyseForCrop(*copy, original, !imageCrop, findFaces);
    std::optional<cg::Rect> area;
    if (!imageCrop && analysis.salientUnion)
        area = salientCropArea(*analysis.salientUnion, analysis.faces, original, target, false);
    if (!area) area = faceCropArea(analysis.faces, original, target, imageCrop);
    if (!area) return std::nullopt;
    return cutToTarget(source, original, *area, target, sender);
}

}  // namespace core
