#include "Core/Crop/CropAnalyses.h"

#include "Platform/Dispatch/HandOver.h"

namespace core {

std::optional<CropAnalysis> CropAnalyses::analysis(const std::filesystem::path& path, cg::Size imageSize,
                                                   bool withSaliency, const FaceFinder& findFaces) {
    {
        const dispatch::VisibleLock lock(mutex_);
        const auto known = made_.find(path);
        if (known != made_.end() && (known->second.saliencyAnalysed || !withSaliency)) return known->second;
    }
    // Made outside the lock, so that the other workers' photos are not held up by this one.
    auto made = analysedFile(path, imageSize, withSaliency, findFaces);
    if (!made) return std::nullopt;
    const dispatch::VisibleLock lock(mutex_);
    made_[path] = *made;
    return made;
}

}  // namespace core
