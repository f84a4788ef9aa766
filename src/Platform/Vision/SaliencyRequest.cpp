#include "Platform/Vision/SaliencyRequest.h"

#include <opencv2/saliency.hpp>

#include "Platform/Vision/AnalysisImage.h"
#include "Platform/Vision/SalientBoxes.h"

namespace vision {

namespace {
constexpr double minimumGreySpread = 1.0;  // grey levels
}  // namespace

std::optional<SaliencyImageObservation> SaliencyRequest::perform(const ImageRequestHandler& handler) const {
    if (!handler.isValid()) return std::nullopt;
    const cv::Mat& grey = handler.analysisImage().grey();
    SaliencyImageObservation observation;
    // Both maps are normalised, so even a flat picture would show "objects" in its rounding noise.
    cv::Scalar mean, spread;
    cv::meanStdDev(grey, mean, spread);
    if (spread[0] < minimumGreySpread) return observation;

    cv::Mat map;
    try {
        if (kind_ == SaliencyKind::attentionBased) {
            const auto analysis = cv::saliency::StaticSaliencySpectralResidual::create();
            if (!analysis->computeSaliency(grey, map)) return std::nullopt;
        } else {
            const auto analysis = cv::saliency::StaticSaliencyFineGrained::create();
            if (!analysis->computeSaliency(grey, map)) return std::nullopt;
        }
    } catch (const cv::Exception&) {
        return std::nullopt;
    }
    observation.salientObjects = salientBoxes(map, kind_ == SaliencyKind::attentionBased, maxObjects);
    return observation;
}

}  // namespace vision
