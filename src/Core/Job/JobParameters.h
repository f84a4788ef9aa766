#pragma once
// The parameters of one job as a set-up screen hands them to the engine: the presets, the images
// (records or file paths), and the job-wide options. A plain value, copied into the job.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Core/Effects/FMFilterable.h"
#include "Core/Records/PresetInfo.h"
#include "Core/Records/SourceURLInfo.h"
#include "Core/Watermark/Watermark.h"
#include "Platform/Foundation/PlistValue.h"

namespace core {

// An image of a job: a record from the image list, or a file path to make one from.
using JobImage = std::variant<SourceURLInfo, std::filesystem::path>;

struct JobParameters {
    std::vector<PresetInfo> presets;
    std::vector<JobImage> images;
    // Passed through unchanged; nothing reads it.
    std::optional<foundation::PlistValue> jobOptions;
    // Without a leading "."; absent, blank or "Default" (any case) keeps each preset's own format.
    std::optional<std::string> outputFormat;
    std::shared_ptr<const FMFilterable> effectFilter;
    std::optional<WatermarkOptions> watermarkOptions;
    std::optional<bool> isAutoEnhanced;
    // True: every preset takes the preview and smart-crop road, as if it asked for a saliency crop.
    std::optional<bool> forcePreview;
    // With a base name, images made from paths are renamed "<baseName>-<n>.<ext>", n from startIndex (1).
    std::optional<std::string> baseName;
    std::optional<std::int64_t> startIndex;
};

}  // namespace core
