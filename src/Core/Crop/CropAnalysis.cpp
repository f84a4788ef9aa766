#include "Core/Crop/CropAnalysis.h"

#include <iostream>

#include "Core/Crop/FacePlacement.h"
#include "Core/Crop/SalientRegion.h"
#include "Core/Crop/VisionSaliency.h"
#include "Platform/Image/Thumbnail.h"

namespace core {

std::optional<image::Image> analysisCopy(const std::filesystem::path& path) {
    return image::thumbnail(path, {kAnalysisSide, kAnalysisSide});
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

std::optional<CropAnalysis> analysedFile(const std::filesystem::path& path, cg::Size imageSize,
                                         bool withSaliency, const FaceFinder& findFaces) {
    const auto copy = analysisCopy(path);
    if (!copy) return std::nullopt;
    return analyseForCrop(*copy, imageSize, withSaliency, findFaces);
}

}  // namespace core
