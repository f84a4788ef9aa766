#pragma once
// The face-aware crop: scales the image to cover the target (with crop to fill too), finds the faces and
// cuts a window of exactly the target size that keeps them in frame with headroom and never cuts them
// (FacePlacement). The face finder is injected, so the placement can run without a detector. No state
// beyond the finder; cropToFaces runs on the caller's thread and calls its completion exactly once before
// it returns.

#include <functional>
#include <optional>

#include "Core/Crop/CropSender.h"
#include "Core/Crop/FacePlacement.h"
#include "Platform/Image/Image.h"
#include "Platform/Vision/FaceRequest.h"
#include "Platform/Vision/Observations.h"

namespace core {

// Finds the faces of an image; boxes in the detector's convention (normalised, bottom-left origin).
using FaceFinder = std::function<vision::FaceRequestResult(const image::Image&)>;

// The frontal-face detector of the vision platform, on a reduced copy of the image.
FaceFinder visionFaceFinder();

class FaceDetector {
  public:
    using Completion = std::function<void(std::optional<image::Image>)>;

    explicit FaceDetector(FaceFinder findFaces = visionFaceFinder());

    // The completion gets the crop, or none when no face was found.
    // `useOwnSize` makes the target the image's own size. `sender` may be null.
    void cropToFaces(const image::Image& image, double targetWidth, double targetHeight, bool useOwnSize,
                     CropSender* sender, bool fill, const Completion& completion) const;

    const FaceFinder& faceFinder() const { return findFaces_; }

  private:
    std::optional<image::Image> faceRequestCompleted(const vision::FaceRequestResult& request,
                                                     cg::Size target, bool fill, CropSender* sender,
                                                     const image::Image& working) const;

    FaceFinder findFaces_;
};

}  // namespace core
