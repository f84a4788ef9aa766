#include "Platform/Vision/AnalysisImage.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace vision {

AnalysisImage::AnalysisImage(const PixelBuffer& pixels, int maxSide) {
    if (!pixels.isValid()) return;
    const std::size_t step =
        pixels.bytesPerRow ? pixels.bytesPerRow : std::size_t(pixels.width) * std::size_t(pixels.channels);
    // A header over the caller's pixels: nothing of the full-size image is copied.
    const cv::Mat full(pixels.height, pixels.width, CV_8UC(pixels.channels),
                       const_cast<std::uint8_t*>(pixels.data), step);

    cv::Mat reduced;
    const int longSide = std::max(pixels.width, pixels.height);
    if (longSide > maxSide) {
        const double scale = double(maxSide) / longSide;
        const cv::Size size(std::max(1, int(std::lround(pixels.width * scale))),
                            std::max(1, int(std::lround(pixels.height * scale))));
        cv::resize(full, reduced, size, 0, 0, cv::INTER_AREA);
    } else {
        reduced = full;
    }

    switch (pixels.channels) {
        case 1:
            grey_ = reduced.clone();
            break;
        case 2:
            cv::extractChannel(reduced, grey_, 0);
            break;
        case 3:
            cv::cvtColor(reduced, grey_, cv::COLOR_RGB2GRAY);
            colour_ = reduced.data == full.data ? reduced.clone() : reduced;
            break;
        default:
            cv::cvtColor(reduced, grey_, cv::COLOR_RGBA2GRAY);
            cv::cvtColor(reduced, colour_, cv::COLOR_RGBA2RGB);
            break;
    }
}

}  // namespace vision
