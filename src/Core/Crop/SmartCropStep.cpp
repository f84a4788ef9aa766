#include "Core/Crop/SmartCropStep.h"

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces, std::optional<image::Image>* decoded,
                                           CropAnalyses* analyses) {
    // Without crop to fill the salient region comes first, then the faces of the whole photo. With it,
    // the faces of the whole photo, then the salient region filled; but that region's faces are some of
    // the faces already found, so it can crop only where the first try did, and is not tried.
    const std::optional<CropAnalysis> analysis =
        analyses ? analyses->analysis(source, original, !imageCrop, findFaces)
                 : analysedFile(source, original, !imageCrop, findFaces);
    if (!analysis) return std::nullopt;

    // The photo is decoded once, scaled to cover the target (as every other crop scales it): the window is
    // cut from it unless it needs more detail, and the caller's fallback without a face scales from it.
    const cg::Size cover = coveringSize(original, target);
    const auto loaded = image::loadImage(source, cover);
    if (!loaded) return std::nullopt;
    const auto scaled = image::resized(*loaded, cover);
    if (!scaled) return std::nullopt;
    const image::Image covering = image::rendered(*scaled);
    if (decoded) *decoded = covering;

    std::optional<cg::Rect> area;
    if (!imageCrop && analysis->salientUnion)
        area = salientCropArea(*analysis->salientUnion, analysis->faces, original, target, false);
    if (!area) area = faceCropArea(analysis->faces, original, target, imageCrop);
    if (!area) return std::nullopt;

    // An area that covers the target at the decoded scale is cut from the decoded picture; a salient region
    // smaller than that needs the file's finer detail.
    const double s = coverScale(original, target);
    const cg::Rect inCover(area->minX() * s, area->minY() * s, area->width() * s, area->height() * s);
    if (inCover.width() >= target.width - 1e-6 && inCover.height() >= target.height - 1e-6)
        return cutToTarget(covering, inCover, target, sender);
    return cutToTarget(source, original, *area, target, sender);
}

}  // namespace core
