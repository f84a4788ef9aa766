#include "Core/Crop/CropAnalysis.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/SalientRegion.h"
#include "Core/Crop/VisionSaliency.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

cg::Size analysisDecodeSize(cg::Size imageSize) {
    const double scale = std::min(1.0, 2 * kAnalysisSide / std::max(imageSize.width, imageSize.height));
    return {imageSize.width * scale, imageSize.height * scale};
}

image::Image analysisCopyOf(const image::Image& decoded) {
    const cg::Size size = decoded.size();
    const double scale = kAnalysisSide / std::max(size.width, size.height);
    if (scale >= 1) return image::rendered(decoded);
    const cg::Size reduced{std::max(1.0, std::round(size.width * scale)),
                           std::max(1.0, std::round(size.height * scale))};
    return image::rendered(image::resized(decoded, reduced).value_or(decoded));
}

std::optional<image::Image> analysisCopy(const std::filesystem::path& path, cg::Size imageSize) {
    const auto decoded = image::loadImage(path, analysisDecodeSize(imageSize));
    if (!decoded) return std::nullopt;
    return analysisCopyOf(*decoded);
}

CropAnalysis analyseForCrop(const image::Image& copy, cg::Size imageSize, bool withSaliency,
                            const FaceFinder& findFaces) {
    CropAnalysis analysis;
    const vision::FaceRequestResult found = findFaces(copy);
    if (found.error) std::cout << *found.error << std::endl;
    for (const vision::FaceObservation& face : found.results) {
        if (face.hasLandmarks)
            analysis.faces.push_back(faceBox(face.boundingBox, imageSize.width, imageSize.height));
    }
    // Every crop is placed by a face: without one the salient region would never be used.
    if (withSaliency && !analysis.faces.empty())
        analysis.salientUnion = VisionSaliency::salientUnionOf(copy, imageSize);
    analysis.saliencyAnalysed = withSaliency;
    return analysis;
}

}  // namespace core
