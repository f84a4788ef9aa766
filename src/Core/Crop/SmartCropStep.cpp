#include "Core/Crop/SmartCropStep.h"

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

namespace {

struct CopyAndPicture {
    image::Image copy;
    std::optional<image::Image> picture;
};

// The detectors' copy of the photo, and the decode it is made from when that covers the target too (most
// targets' do): the file is then decoded once for both, and the window (or the caller's fallback) is scaled
// from that decode once. The decode is only as fine as the copy needs (under four times its side), so it is
// held through the analysis at little cost.
std::optional<CopyAndPicture> copyAndPicture(const std::filesystem::path& source, cg::Size original,
                                             cg::Size cover) {
    auto loaded = image::loadImage(source, analysisDecodeSize(original));
    if (!loaded) return std::nullopt;
    const cg::Size size = loaded->size();
    auto copy = analysisCopyOf(*loaded);
    if ((size.width >= cover.width && size.height >= cover.height) || size == original)
        return CopyAndPicture{std::move(copy), std::move(loaded)};
    return CopyAndPicture{std::move(copy), std::nullopt};
}

}  // namespace

std::optional<image::Image> smartCropImage(const std::filesystem::path& source, cg::Size original,
                                           cg::Size target, bool imageCrop, CropSender* sender,
                                           const FaceFinder& findFaces, std::optional<image::Image>* decoded,
                                           CropAnalyses* analyses) {
    // The photo decoded at least as finely as its scale to cover the target: the window is cut from it unless
    // it needs more detail, and the caller's fallback without a face scales from it.
    const cg::Size cover = coveringSize(original, target);
    std::optional<image::Image> picture;
    // Without crop to fill the salient region comes first, then the faces of the whole photo. With it,
    // the faces of the whole photo, then the salient region filled; but that region's faces are some of
    // the faces already found, so it can crop only where the first try did, and is not tried.
    const bool withSaliency = !imageCrop;
    const auto analyse = [&]() -> std::optional<CropAnalysis> {
        auto made = copyAndPicture(source, original, cover);
        if (!made) return std::nullopt;
        picture = std::move(made->picture);
        return analyseForCrop(made->copy, original, withSaliency, findFaces);
    };
    const std::optional<CropAnalysis> analysis =
        analyses ? analyses->analysis(source, withSaliency, analyse) : analyse();
    if (!analysis) return std::nullopt;

    if (!picture) picture = image::loadImage(source, cover);
    if (!picture) return std::nullopt;
    if (decoded) *decoded = *picture;

    std::optional<cg::Rect> area;
    if (!imageCrop && analysis->salientUnion)
        area = salientCropArea(*analysis->salientUnion, analysis->faces, original, target, false);
    if (!area) area = faceCropArea(analysis->faces, original, target, imageCrop);
    if (!area) return std::nullopt;

    // The areas are placed on the photo scaled to cover the target, in whole pixels; the window keeps its
    // place on that picture whatever scale it is cut at. An area that covers the target at the decoded scale
    // (or a photo decoded whole) is cut from the decoded picture; a salient region smaller than that needs
    // the file's finer detail.
    const double s = coverScale(original, target);
    const cg::Rect inCover(area->minX() * s, area->minY() * s, area->width() * s, area->height() * s);
    const bool detailed = inCover.width() * picture->width() / cover.width >= target.width - 1e-6 &&
                          inCover.height() * picture->height() / cover.height >= target.height - 1e-6;
    if (detailed || picture->size() == original) return cutToTarget(*picture, cover, inCover, target, sender);
    return cutToTarget(source, original, *area, target, sender);
}

}  // namespace core
