#include "Core/Crop/FaceDetector.h"

#include <iostream>

#include "Core/Crop/CropArea.h"
#include "Core/Crop/CropCut.h"
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
    const image::Image working = image::resized(image, coveringSize(original, target)).value_or(image);
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
    return cutToTarget(working, *area, target, sender);
}

}  // namespace core
