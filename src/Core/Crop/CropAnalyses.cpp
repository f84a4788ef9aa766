#include "Core/Crop/CropAnalyses.h"

#include "Platform/Dispatch/HandOver.h"

namespace core {

std::optional<CropAnalysis> CropAnalyses::analysis(const std::filesystem::path& path, bool withSaliency,
                                                   const std::function<std::optional<CropAnalysis>()>& make) {
    {
        const dispatch::VisibleLock lock(mutex_);
        const auto known = made_.find(path);
        if (known != made_.end() && (known->second.saliencyAnalysed || !withSaliency)) return known->second;
    }
    // Made outside the lock, so that the other workers' photos are not held up by this one.
    auto made = make();
    if (!made) return std::nullopt;
    const dispatch::VisibleLock lock(mutex_);
    made_[path] = *made;
    return made;
}

}  // namespace core
