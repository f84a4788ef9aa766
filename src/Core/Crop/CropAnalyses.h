#pragma once
// The crop analyses of a job's photos, each made once from its file and shared by every preset that crops
// it, so that all of a photo's crops are placed by the same faces. Thread-safe: job workers ask at once.

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "Core/Crop/CropAnalysis.h"

namespace core {

class CropAnalyses {
  public:
    // The analysis of the photo at `path`: the one made before when there is one (and it looked for the
    // salient objects, if `withSaliency` asks for them), else what `make` makes, kept.
    std::optional<CropAnalysis> analysis(const std::filesystem::path& path, bool withSaliency,
                                         const std::function<std::optional<CropAnalysis>()>& make);

  private:
    std::mutex mutex_;
    std::map<std::filesystem::path, CropAnalysis> made_;
};

}  // namespace core
