#pragma once
// The reduced 8-bit grey copy the detectors work on, and its colours. Internal to Platform/Vision (it exposes
// OpenCV). Immutable after construction; safe to read from several threads.

#include <opencv2/core.hpp>

#include "Platform/Vision/PixelBuffer.h"

namespace vision {

class AnalysisImage {
  public:
    AnalysisImage(const PixelBuffer& pixels, int maxSide);
    const cv::Mat& grey() const { return grey_; }
    // The same pixels in colour (RGB); empty when the input had no colour.
    const cv::Mat& colour() const { return colour_; }

  private:
    cv::Mat grey_;    // CV_8UC1, empty when the input was not usable
    cv::Mat colour_;  // CV_8UC3
};

}  // namespace vision
