#pragma once
// The decisions a job takes once, before any image: whether the preview panel shows, whether the job
// only copies files, and which effect an image of a preset gets. Pure functions; safe on any thread.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Core/Effects/FMFilterable.h"
#include "Core/Job/JobParameters.h"
#include "Core/Records/PresetInfo.h"

namespace core {

// "markDummy" holds the Boolean true: the placeholder preset of runs without a size.
bool isPlaceholderPreset(const PresetInfo& preset);

// True when the activity screen is to show its preview panel for this job.
bool previewPanelWanted(const JobParameters& params);

// True when the job copies each source file unchanged: one placeholder preset, no format, effect,
// enhancement or watermark.
bool decideCopyOnly(const JobParameters& params);

// The effect for images of `preset`: the job's effect unless it is "Original", else the preset's
// "imageEffectFilter"; null when there is none.
std::shared_ptr<const FMFilterable> effectForPreset(const std::shared_ptr<const FMFilterable>& jobEffect,
                                                    const PresetInfo& preset);

// True for the effects that mean automatic enhancement ("AutoEnhance", "CIPhotoEffectAutoEnhance").
bool isAutoEnhanceEffect(const FMFilterable& effect);

// The output format for a preset: the job's format, else the preset's own; absent for "Default".
std::optional<std::string> outputFormatForPreset(const std::optional<std::string>& jobFormat,
                                                 const PresetInfo& preset);

}  // namespace core
