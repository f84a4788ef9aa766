#pragma once
// The saliency crop: cuts a photo down to the region of its prominent objects (grown to at least the
// target size, so nothing is enlarged, and to every face it touches) and places the face crop inside
// that region. No state beyond its face detector; runs on the caller's thread.

#include <optional>
#include <string>

#include "Core/Crop/CropSender.h"
#include "Core/Crop/FaceDetector.h"
#include "Core/Crop/SaliencyType.h"
#include "Platform/Image/Image.h"
#include "Platform/Vision/ImageRequestHandler.h"
#include "Platform/Vision/Observations.h"

namespace core {

class VisionSaliency {
  public:
    explicit VisionSaliency(FaceDetector faceDetector = FaceDetector())
        : faceDetector_(std::move(faceDetector)) {}

    // The face crop of the salient region of the image at `path`, exactly the target's size; none when the
    // file does not load, nothing stands out, or no face lies in the region.
    std::optional<image::Image> cropToSalientRegion(const std::string& path, CropSender* sender, bool fill,
                                                    double targetWidth, double targetHeight) const;

    // The region, in the image's pixels with a top-left origin, of the image's salient objects grown to at
    // least the target.
    static std::optional<cg::Rect> salientRegion(const image::Image& image, cg::Size target);

    // The union of the salient objects of both analyses of `copy`, in the pixels of an `imageSize` image
    // of which `copy` is a reduced copy (top-left origin); none when nothing stands out.
    static std::optional<cg::Rect> salientUnionOf(const image::Image& copy, cg::Size imageSize);

    static std::optional<vision::SaliencyImageObservation> saliencyObservation(
        SaliencyType type, const vision::ImageRequestHandler& handler);

  private:
    FaceDetector faceDetector_;
};

}  // namespace core
