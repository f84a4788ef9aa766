#include "Core/Crop/VisionSaliency.h"

#include "Core/Crop/SalientRegion.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Vision/SaliencyRequest.h"

namespace core {

std::optional<vision::SaliencyImageObservation> VisionSaliency::saliencyObservation(
    SaliencyType type, const vision::ImageRequestHandler& handler) {
    const auto kind = type == SaliencyType::objectnessBased ? vision::SaliencyKind::objectnessBased
                                                            : vision::SaliencyKind::attentionBased;
    return vision::SaliencyRequest(kind).perform(handler);
}

std::optional<cg::Rect> VisionSaliency::salientRegion(const image::Image& image, cg::Size target) {
    const cg::Size size = image::pixelSize(image);
    // One reduced copy serves both analyses.
    const vision::ImageRequestHandler handler(image);
    std::vector<cg::Rect> boxes;
    for (const SaliencyType type : {SaliencyType::objectnessBased, SaliencyType::attentionBased}) {
        if (const auto observation = saliencyObservation(type, handler)) {
            for (const auto& object : observation->salientObjects) boxes.push_back(object.boundingBox);
        }
    }
    const auto region = salientUnion(boxes, size.width, size.height);
    if (!region) return std::nullopt;
    return grownToTarget(*region, target, size.width, size.height);
}

std::optional<image::Image> VisionSaliency::cropToSalientRegion(const std::string& path, CropSender* sender,
                                                                bool fill, double targetWidth,
                                                                double targetHeight) const {
    const auto loaded = image::loadImage(path);
    if (!loaded) return std::nullopt;
    const auto region = salientRegion(*loaded, {targetWidth, targetHeight});
    if (!region) return std::nullopt;
    const auto cut = image::cropped(*loaded, *region);
    if (!cut) return std::nullopt;

    std::optional<image::Image> result;
    faceDetector_.cropToFaces(
        *cut, targetWidth, targetHeight, false, sender, fill,
        [&result](std::optional<image::Image> cropped) { result = std::move(cropped); });
    return result;
}

}  // namespace core
