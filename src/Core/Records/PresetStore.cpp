#include "Core/Records/PresetStore.h"

#include "Core/Records/DefaultPresets.h"

namespace core {

std::vector<PresetInfo> loadPresetList(const foundation::UserDefaults& defaults) {
    const auto stored = defaults.array(kSavedPresetsKey);
    if (!stored) return defaultPresets();
    std::vector<PresetInfo> presets;
    for (const auto& element : *stored)
        if (const auto* preset = element.dictionaryIf()) presets.push_back(*preset);
    // A user who deleted every preset keeps an empty list; a list whose every element is broken
    // says nothing the user chose, so the built-ins come back.
    if (presets.empty() && !stored->empty()) return defaultPresets();
    return presets;
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
