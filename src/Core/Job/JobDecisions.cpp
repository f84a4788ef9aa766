#include "Core/Job/JobDecisions.h"

#include <algorithm>

#include "Core/Effects/FMFilter.h"
#include "Extensions/StringLines.h"
#include "Extensions/TextEditing.h"

namespace core {

namespace {

bool isDefaultFormat(const std::string& format) {
    const auto t = str::trimmed(format);
    return t.empty() || text::lowercase(t) == "default";
}

}  // namespace

bool isPlaceholderPreset(const PresetInfo& preset) {
    const auto it = preset.find(presetkey::markDummy);
    return it != preset.end() && it->second.boolIf() && *it->second.boolIf();
}

bool previewPanelWanted(const JobParameters& params) {
    if (params.forcePreview.value_or(false)) return true;
    for (const auto& preset : params.presets) {
        if (isPlaceholderPreset(preset)) continue;
        const auto it = preset.find(presetkey::autoSaliency);
        if (it != preset.end() && it->second.boolIf() && *it->second.boolIf()) return true;
    }
    if (params.effectFilter && !params.effectFilter->isOriginal()) return true;
    for (const auto& preset : params.presets) {
        if (isPlaceholderPreset(preset)) continue;
        const auto it = preset.find(presetkey::imageEffectFilter);
        const std::string name = (it != preset.end() && it->second.stringIf()) ? *it->second.stringIf() : "";
        const auto& offered = FMFilter::allFilters();
        const auto match = std::find_if(offered.begin(), offered.end(),
                                        [&](const FMFilter& f) { return f.displayName() == name; });
        if (match != offered.end() && !match->isNone()) return true;
    }
    return false;
}

bool decideCopyOnly(const JobParameters& params) {
    if (params.presets.size() != 1 || !isPlaceholderPreset(params.presets.front())) return false;
    if (params.outputFormat && !isDefaultFormat(*params.outputFormat)) return false;
    if (params.effectFilter) return false;
    if (params.isAutoEnhanced.value_or(false)) return false;
    if (params.watermarkOptions) {
        const auto& wm = *params.watermarkOptions;
        if (wm.textWM) return wm.textWM->empty();
        if (wm.imageWM) return false;
    }
    return true;
}

std::shared_ptr<const FMFilterable> effectForPreset(const std::shared_ptr<const FMFilterable>& jobEffect,
                                                    const PresetInfo& preset) {
    if (jobEffect && !jobEffect->isOriginal()) return jobEffect;
    const auto it = preset.find(presetkey::imageEffectFilter);
    if (it == preset.end() || !it->second.stringIf()) return nullptr;
    const FMFilter filter = FMFilter::fromDisplayName(*it->second.stringIf());
    if (filter.isNone()) return nullptr;
    return FMFilter::shared(filter);
}

bool isAutoEnhanceEffect(const FMFilterable& effect) {
    const auto name = effect.displayName();
    return name == "CIPhotoEffectAutoEnhance" || name == "AutoEnhance";
}

std::optional<std::string> outputFormatForPreset(const std::optional<std::string>& jobFormat,
                                                 const PresetInfo& preset) {
    std::string format = jobFormat.value_or("Default");
    if (isDefaultFormat(format)) format = presetOutputExtension(preset);
    if (isDefaultFormat(format)) return std::nullopt;
    return str::trimmed(format);
}

}  // namespace core
