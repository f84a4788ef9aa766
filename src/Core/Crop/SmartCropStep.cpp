#include "Core/Crop/SmartCropStep.h"

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

namespace {

std::optional<image::Image> coveringFrom(const image::Image& loaded, cg::Size cover) {
    const auto scaled = image::resized(loaded, cover);
    if (!scaled) return std::nullopt;
    return image::rendered(*scaled);
}

struct CopyAndCovering {
    image::Image copy;
    std::optional<image::Image> covering;
};

// The detectors' copy of the photo, and the photo scaled to `cover` when the decode the copy is made from
// covers that too (most targets' do): the file is then decoded once for both. The decode is let go before
// the copy is analysed.
std::optional<CopyAndCovering> copyAndCovering(const std::filesystem::path& source, cg::Size original,
                                               cg::Size cover) {
    const auto loaded = image::loadImage(source, analysisDecodeSize(original));
    if (!loaded) return std::nullopt;
    const cg::Size size = loaded->size();
    std::optional<image::Image> covering;
    if ((size.width >= cover.width && size.height >= cover.height) || size == original)
        covering = coveringFrom(*loaded, cover);
    return CopyAndCovering{analysisCopyOf(*loaded), std::move(covering)};
}

}  // namespace

std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces, std::optional<image::Image>* decoded,
                                           CropAnalyses* analyses) {
    // The photo scaled to cover the target (as every other crop scales it): the window is cut from it unless
    // it needs more detail, and the caller's fallback without a face scales from it.
    const cg::Size cover = coveringSize(original, target);
    std::optional<image::Image> covering;
    // Without crop to fill the salient region comes first, then the faces of the whole photo. With it,
    // the faces of the whole photo, then the salient region filled; but that region's faces are some of
    // the faces already found, so it can crop only where the first try did, and is not tried.
    const bool withSaliency = !imageCrop;
    const auto analyse = [&]() -> std::optional<CropAnalysis> {
        auto made = copyAndCovering(source, original, cover);
        if (!made) return std::nullopt;
        covering = std::move(made->covering);
        return analyseForCrop(made->copy, original, withSaliency, findFaces);
    };
    const std::optional<CropAnalysis> analysis =
        analyses ? analyses->analysis(source, withSaliency, analyse) : analyse();
    if (!analysis) return std::nullopt;

    if (!covering) {
        if (const auto loaded = image::loadImage(source, cover)) covering = coveringFrom(*loaded, cover);
    }
    if (!covering) return std::nullopt;
    if (decoded) *decoded = *covering;

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
        return cutToTarget(*covering, inCover, target, sender);
    return cutToTarget(source, original, *area, target, sender);
}

}  // namespace core
