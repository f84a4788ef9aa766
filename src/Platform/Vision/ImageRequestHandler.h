#pragma once
// Holds the reduced analysis copy of one image on which the saliency and face requests run. The copy is
// made once, in the constructor, with its long side at most `maxAnalysisSide` pixels, so that a very large
// photo costs the detectors little memory and time; boxes are normalised, so the reduction never shows
// in the results. Immutable after construction: requests may run on it from any thread at once.

#include <memory>

#include "Platform/Image/Image.h"
#include "Platform/Vision/PixelBuffer.h"

namespace vision {

class AnalysisImage;

class ImageRequestHandler {
  public:
    static constexpr int maxAnalysisSide = 1536;

    // An invalid buffer gives a handler on which every request reports no result.
    explicit ImageRequestHandler(const PixelBuffer& pixels);
    // Reduces the image while its pixels stream in, so the full-size image is never held in memory.
    explicit ImageRequestHandler(const image::Image& image);
    ~ImageRequestHandler();
    ImageRequestHandler(ImageRequestHandler&&) noexcept;
    ImageRequestHandler& operator=(ImageRequestHandler&&) noexcept;

    bool isValid() const;
    int analysisWidth() const;
    int analysisHeight() const;
    const AnalysisImage& analysisImage() const { return *analysis_; }

  private:
    std::unique_ptr<AnalysisImage> analysis_;
};

}  // namespace vision
