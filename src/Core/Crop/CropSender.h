#pragma once
// What a crop tells the job that asked for it: the job's screen shows the working image moving to the
// crop window, then the worker pauses so that the user can follow, unless previews are skipped. The
// batch engine implements it; a crop without a sender shows nothing. Called on the worker thread; the
// implementation posts to the main queue itself.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// How long the worker lets the user watch the crop window on the screen.
inline constexpr double kCropPreviewPauseSeconds = 1.0;

class CropSender {
  public:
    virtual ~CropSender() = default;

    virtual bool bSkipPreview() const = 0;
    // Hands the screen the image as it is now and the window about to be cut from it.
    virtual void animateProcessedImageToFrame(const image::Image& image, const cg::Rect& frame) = 0;
    // Blocks the calling worker for the preview pacing.
    virtual void pause(double seconds) = 0;
};

}  // namespace core
