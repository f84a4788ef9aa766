#include "Screens/Setup/PresetEditorModel.h"

#include <algorithm>

#include "Platform/Foundation/TextSearch.h"

namespace setup {

namespace pk = core::presetkey;

core::PresetInfo buildPresetDictionary(const core::PresetInfo& picked, const std::string& typedName,
                                       const std::string& outputFormat, int imageEffectTag,
                                       const std::string& effectDisplayName) {
    core::PresetInfo preset = picked;
    preset[std::string(pk::presetName)] = typedName;
    for (auto key : {pk::presetWidth, pk::presetHeight, pk::presetPercent}) {
        // An empty side of a custom size arrives as 0: stored as 0 it would read as a size of no
        // pixels wherever a number is taken as it stands.
        const auto it = preset.find(key);
        const double* number = it == preset.end() ? nullptr : it->second.doubleIf();
        if (!number || !(*number > 0)) preset[std::string(key)] = -1.0;
    }
    preset[std::string(pk::autoEnhance)] = false;
    preset[std::string(pk::outputFormat)] = outputFormat;
    preset[std::string(pk::imageEffect)] = imageEffectTag;
    preset[std::string(pk::imageEffectFilter)] = effectDisplayName;
    return preset;
}

void finalisePresetName(core::PresetInfo& preset) {
    if (foundation::trimmingWhitespaceAndNewlines(core::presetName(preset)).empty())
        preset[std::string(pk::presetName)] = core::presetSizeShortText(preset);
}

IndicatorLook indicatorLook(const core::PresetInfo& size) {
    IndicatorLook look;
    look.tint = core::presetColorTag(size);
    look.background = look.tint.withAlpha(0.2);
    look.widthAlpha = core::presetCGFloat(size, pk::presetWidth) > 0 ? 1.0 : 0.3;
    look.heightAlpha = core::presetCGFloat(size, pk::presetHeight) > 0 ? 1.0 : 0.3;
    return look;
}

std::optional<cg::Rect> indicatorFrame(const core::PresetInfo& size) {
    // A negative side (the -1 of an unset one) counts as 0.
    const double w = std::max(0.0, core::presetCGFloat(size, pk::presetWidth));
    const double h = std::max(0.0, core::presetCGFloat(size, pk::presetHeight));
    if (!(w + h > 0) || w == h) return std::nullopt;
    if (w == 0 || h == 0) return cg::Rect(20, 20, 60, 60);
    if (h < w) {
        const double H = 100 * (1 - (w - h) / w);
        return cg::Rect(0, (100 - H) / 2, 100, H);
    }
    const double W = 100 * (1 - (h - w) / h);
    return cg::Rect((100 - W) / 2, 0, W, 100);
}

}  // namespace setup
