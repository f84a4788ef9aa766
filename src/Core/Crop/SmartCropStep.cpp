#include "Core/Crop/SmartCropStep.h"

#include "Core/Crop/FaceDetector.h"
#include "Core/Crop/VisionSaliency.h"

namespace core {

std::optional<image::Image> smartCropImage(const image::Image& image, const std::filesystem::path& source,
                                           cg::Size target, bool imageCrop, CropSender* sender) {
    const VisionSaliency saliency;
    if (!imageCrop) {
        if (auto cropped =
                saliency.cropToSalientRegion(source.string(), sender, false, target.width, target.height))
            return cropped;
    }
    std::optional<image::Image> faces;
    FaceDetector().cropToFaces(image, target.width, target.height, false, sender, imageCrop,
                               [&](std::optional<image::Image> result) { faces = std::move(result); });
    if (faces) return faces;
    if (imageCrop)
        return saliency.cropToSalientRegion(source.string(), sender, true, target.width, target.height);
    return std::nullopt;
}

}  // namespace core
