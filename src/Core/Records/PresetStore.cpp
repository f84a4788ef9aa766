#include "Core/Records/PresetStore.h"

#include "Core/Records/DefaultPresets.h"

namespace core {

std::vector<PresetInfo> loadPresetList(const foundation::UserDefaults& defaults) {
    std::vector<PresetInfo> presets;
    if (const auto stored = defaults.array(kSavedPresetsKey)) {
        for (const auto& element : *stored)
            if (const auto* preset = element.dictionaryIf()) presets.push_back(*preset);
    }
    return presets.empty() ? defaultPresets() : presets;
}

void savePresetList(foundation::UserDefaults& defaults, const std::vector<PresetInfo>& presets) {
    foundation::PlistArray stored;
    stored.reserve(presets.size());
    for (const auto& preset : presets) stored.emplace_back(preset);
    defaults.set(kSavedPresetsKey, foundation::PlistValue(std::move(stored)));
}

void loadPresetList(PresetList& list, const foundation::UserDefaults& defaults) {
    list.replaceAll(loadPresetList(defaults));
}

void savePresetList(foundation::UserDefaults& defaults, const PresetList& list) {
    savePresetList(defaults, list.snapshot());
}

}  // namespace core
