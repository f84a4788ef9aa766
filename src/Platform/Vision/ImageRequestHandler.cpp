#include "Platform/Vision/ImageRequestHandler.h"

#include "Platform/Vision/AnalysisImage.h"

namespace vision {

ImageRequestHandler::ImageRequestHandler(const PixelBuffer& pixels)
    : analysis_(std::make_unique<AnalysisImage>(pixels, maxAnalysisSide)) {}

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
