#include "Platform/Vision/ImageRequestHandler.h"

#include <algorithm>
#include <vector>

#include "Platform/Image/VipsImage.h"
#include "Platform/Vision/AnalysisImage.h"

namespace vision {

ImageRequestHandler::ImageRequestHandler(const PixelBuffer& pixels)
    : analysis_(std::make_unique<AnalysisImage>(pixels, maxAnalysisSide)) {}

namespace {

// The image at most `maxSide` pixels on its long side, 8-bit, with its bands packed; empty on failure.
struct ReducedPixels {
    int width = 0, height = 0, channels = 0;
    std::vector<std::uint8_t> bytes;
};

ReducedPixels reducedPixels(const image::Image& source, int maxSide) {
    ReducedPixels out;
    try {
        vips::VImage pixels = image::toVips(source);
        const int longSide = std::max(pixels.width(), pixels.height());
        if (longSide > maxSide) {
            pixels = pixels.resize(double(maxSide) / longSide);
        }
        if (pixels.bands() > 4) pixels = pixels.extract_band(0, vips::VImage::option()->set("n", 4));
        pixels = pixels.cast(VIPS_FORMAT_UCHAR);
        std::size_t size = 0;
        void* memory = pixels.write_to_memory(&size);
        const auto* begin = static_cast<const std::uint8_t*>(memory);
        out = {pixels.width(), pixels.height(), pixels.bands(),
               std::vector<std::uint8_t>(begin, begin + size)};
        g_free(memory);
    } catch (const vips::VError&) {
        return {};
    }
    return out;
}

}  // namespace

ImageRequestHandler::ImageRequestHandler(const image::Image& source) {
    const ReducedPixels reduced = reducedPixels(source, maxAnalysisSide);
    analysis_ = std::make_unique<AnalysisImage>(
        PixelBuffer{reduced.width, reduced.height, reduced.channels, reduced.bytes.data(), 0},
        maxAnalysisSide);
}

ImageRequestHandler::~ImageRequestHandler() = default;
ImageRequestHandler::ImageRequestHandler(ImageRequestHandler&&) noexcept = default;
ImageRequestHandler& ImageRequestHandler::operator=(ImageRequestHandler&&) noexcept = default;

bool ImageRequestHandler::isValid() const {
    return !analysis_->grey().empty();
}
int ImageRequestHandler::analysisWidth() const {
    return analysis_->grey().cols;
}
int ImageRequestHandler::analysisHeight() const {
    return analysis_->grey().rows;
}

}  // namespace vision
