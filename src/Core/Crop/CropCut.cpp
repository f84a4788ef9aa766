#include "Core/Crop/CropCut.h"

#include <algorithm>
#include <cmath>

#include "Core/Crop/FacePlacement.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

namespace {

std::optional<image::Image> shownAndCut(const image::Image& picture, const cg::Rect& window, cg::Size target,
                                        CropSender* sender) {
    const auto cut = image::cropped(picture, window);
    if (!cut) return std::nullopt;
    if (sender) {
        sender->animateProcessedImageToFrame(picture, window);
        if (!sender->bSkipPreview()) sender->pause(kCropPreviewPauseSeconds);
    }
    return image::resized(*cut, target);
}

}  // namespace

std::optional<image::Image> cutToTarget(const image::Image& picture, const cg::Rect& area, cg::Size target,
                                        CropSender* sender) {
    const auto window = windowInsideImage(area, picture.width(), picture.height());
    if (!window) return std::nullopt;
    return shownAndCut(picture, *window, target, sender);
}

std::optional<image::Image> cutToTarget(const std::filesystem::path& source, cg::Size original,
                                        const cg::Rect& area, cg::Size target, CropSender* sender) {
    if (area.width() < 1 || area.height() < 1 || original.width < 1 || original.height < 1)
        return std::nullopt;
    // The decoder may drop detail by as much as the area is larger than the target, no more.
    const double spare = std::max(1.0, std::min(area.width() / target.width, area.height() / target.height));
    const auto loaded = image::loadImage(source, {original.width / spare, original.height / spare});
    if (!loaded) return std::nullopt;
    return cutToTarget(*loaded, original, area, target, sender);
}

std::optional<image::Image> cutToTarget(const image::Image& picture, cg::Size original, const cg::Rect& area,
                                        cg::Size target, CropSender* sender) {
    if (area.width() < 1 || area.height() < 1 || original.width < 1 || original.height < 1)
        return std::nullopt;
    // Each edge rounded on its own: an area against the photo's edge keeps that edge at any scale.
    const double qx = picture.width() / original.width, qy = picture.height() / original.height;
    const double x0 = std::clamp(std::round(area.minX() * qx), 0.0, double(picture.width() - 1));
    const double y0 = std::clamp(std::round(area.minY() * qy), 0.0, double(picture.height() - 1));
    const double x1 = std::clamp(std::round(area.maxX() * qx), x0 + 1, double(picture.width()));
    const double y1 = std::clamp(std::round(area.maxY() * qy), y0 + 1, double(picture.height()));
    return shownAndCut(picture, cg::Rect(x0, y0, x1 - x0, y1 - y0), target, sender);
}

}  // namespace core
