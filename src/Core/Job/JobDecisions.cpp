#include "Core/Job/JobDecisions.h"

#include <algorithm>
#include <cctype>

#include "Core/Effects/FMFilter.h"

namespace core {

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

bool equalsIgnoringCase(const std::string& a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool isDefaultFormat(const std::string& format) {
    const auto t = trimmed(format);
    return t.empty() || equalsIgnoringCase(t, "Default");
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
    format = trimmed(format);
    if (format.empty() || equalsIgnoringCase(format, "Default")) return std::nullopt;
    return format;
}

}  // namespace core
