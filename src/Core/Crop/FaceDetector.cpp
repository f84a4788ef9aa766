#include "Core/Crop/FaceDetector.h"

#include <cmath>
#include <iostream>

#include "Core/Crop/CropArea.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Vision/ImageRequestHandler.h"

namespace core {

FaceFinder visionFaceFinder() {
    return [](const image::Image& image) {
        return vision::FaceRequest().perform(vision::ImageRequestHandler(image));
    };
}

FaceDetector::FaceDetector(FaceFinder findFaces) : findFaces_(std::move(findFaces)) {}

void FaceDetector::cropToFaces(const image::Image& image, double targetWidth, double targetHeight,
                               bool useOwnSize, CropSender* sender, bool fill,
                               const Completion& completion) const {
    const cg::Size original = image::pixelSize(image);
    const cg::Size target = useOwnSize ? original : cg::Size{targetWidth, targetHeight};
    // Crop to fill too works on the image scaled to cover the target, so that the result shows the
    // scene at the target's size, never a piece of it at its native resolution.
    const cg::Size cover = faceCropFillSize(original, target, false);
    const double scale = std::max(cover.width / original.width, cover.height / original.height);
    // A hair of tolerance: W0 × (tw / W0) must not come back one pixel short of tw.
    const cg::Size scaled{std::floor(original.width * scale + 1e-6),
                          std::floor(original.height * scale + 1e-6)};
    const image::Image working = image::resized(image, scaled).value_or(image);
    completion(faceRequestCompleted(findFaces_(working), target, fill, sender, working));
}

std::optional<image::Image> FaceDetector::faceRequestCompleted(const vision::FaceRequestResult& request,
                                                               cg::Size target, bool fill, CropSender* sender,
                                                               const image::Image& working) const {
    if (request.error) {
        std::cout << *request.error << std::endl;
        return std::nullopt;
    }
    const cg::Size size = image::pixelSize(working);
    std::vector<cg::Rect> faces;
    for (const vision::FaceObservation& face : request.results) {
        if (face.hasLandmarks) faces.push_back(faceBox(face.boundingBox, size.width, size.height));
    }
    const auto area = faceCropArea(faces, size, target, fill);
    if (!area) return std::nullopt;
    const auto window = windowInsideImage(*area, size.width, size.height);
    if (!window) return std::nullopt;

    if (sender) {
        sender->animateProcessedImageToFrame(working, *window);
        if (!sender->bSkipPreview()) sender->pause(kCropPreviewPauseSeconds);
    }
    const auto cut = image::cropped(working, *window);
    if (!cut) return std::nullopt;
    return image::resized(*cut, target);
}

}  // namespace core
