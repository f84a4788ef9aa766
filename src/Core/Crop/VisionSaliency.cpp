#include "Core/Crop/VisionSaliency.h"

#include "Core/Crop/CropAnalysis.h"
#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"
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

std::optional<cg::Rect> VisionSaliency::salientUnionOf(const image::Image& copy, cg::Size imageSize) {
    // One reduced copy serves both analyses.
    const vision::ImageRequestHandler handler(copy);
    std::vector<cg::Rect> boxes;
    for (const SaliencyType type : {SaliencyType::objectnessBased, SaliencyType::attentionBased}) {
        if (const auto observation = saliencyObservation(type, handler)) {
            for (const auto& object : observation->salientObjects) boxes.push_back(object.boundingBox);
        }
    }
    return salientUnion(boxes, imageSize.width, imageSize.height);
}

std::optional<cg::Rect> VisionSaliency::salientRegion(const image::Image& image, cg::Size target) {
    const cg::Size size = image::pixelSize(image);
    const auto region = salientUnionOf(image, size);
    if (!region) return std::nullopt;
    return grownToTarget(*region, target, size.width, size.height);
}

std::optional<image::Image> VisionSaliency::cropToSalientRegion(const std::string& path, CropSender* sender,
                                                                bool fill, double targetWidth,
                                                                double targetHeight) const {
    const auto loaded = image::loadImage(path);
    if (!loaded) return std::nullopt;
    const cg::Size size = image::pixelSize(*loaded);
    const auto copy = analysisCopy(path, size);
    if (!copy) return std::nullopt;
    const cg::Size target{targetWidth, targetHeight};
    const CropAnalysis analysis = analyseForCrop(*copy, size, true, faceDetector_.faceFinder());
    if (!analysis.salientUnion) return std::nullopt;
    const auto area = salientCropArea(*analysis.salientUnion, analysis.faces, size, target, fill);
    if (!area) return std::nullopt;
    return cutToTarget(path, size, *area, target, sender);
}

}  // namespace core
