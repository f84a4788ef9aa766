#include "Core/Crop/FaceDetector.h"

#include <cmath>
#include <iostream>

#include "Platform/Image/ImageGeometry.h"
#include "Platform/Vision/ImageRequestHandler.h"

namespace core {

namespace {

// How long the worker lets the user watch the crop window on the screen.
constexpr double previewPauseSeconds = 1.0;

}  // namespace

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
    const cg::Size fillSize = faceCropFillSize(original, target, fill);

    image::Image working = image;
    if (!fill) {
        const double scale = std::max(fillSize.width / original.width, fillSize.height / original.height);
        // A hair of tolerance: W0 × (tw / W0) must not come back one pixel short of tw.
        const cg::Size scaled{std::floor(original.width * scale + 1e-6),
                              std::floor(original.height * scale + 1e-6)};
        working = image::resized(image, scaled).value_or(image);
    }
    const cg::Size workingSize = image::pixelSize(working);
    const FaceCropGeometry geometry{workingSize.width, workingSize.height, target.width, target.height,
                                    fillSize.width,    fillSize.height,    fill};
    completion(faceRequestCompleted(findFaces_(working), geometry, sender, working));
}

std::optional<image::Image> FaceDetector::faceRequestCompleted(const vision::FaceRequestResult& request,
                                                               const FaceCropGeometry& g, CropSender* sender,
                                                               const image::Image& working) const {
    if (request.error) {
        std::cout << *request.error << std::endl;
        return std::nullopt;
    }
    std::vector<cg::Rect> faces;
    for (const vision::FaceObservation& face : request.results) {
        if (face.hasLandmarks) faces.push_back(faceRectangle(face.boundingBox, g.W, g.H));
    }
    const auto window = faceCropWindow(faces, g);
    if (!window) return std::nullopt;
    // The rules may reach past the image's edges (a face near the top); such a window would cut a
    // smaller picture than the target. Moved inside, it keeps the target size; if it cannot fit, no crop.
    const auto inside = windowInsideImage(*window, g.W, g.H);
    if (!inside) return std::nullopt;

    if (sender) {
        sender->animateProcessedImageToFrame(working, *inside);
        if (!sender->bSkipPreview()) sender->pause(previewPauseSeconds);
    }
    return image::cropped(working, *inside);
}

}  // namespace core
