#pragma once
// Loading and saving the user's presets in the settings under "UD_SavedPresets_1". The settings are
// thread-safe; these functions hold no state of their own.

#include <string_view>
#include <vector>

#include "Core/Records/PresetInfo.h"
#include "Core/Records/SharedLists.h"
#include "Platform/Foundation/UserDefaults.h"

namespace core {

inline constexpr std::string_view kSavedPresetsKey = "UD_SavedPresets_1";

// The saved presets in their order, each dictionary as it was stored. Elements that are not
// dictionaries are passed over; when the value is missing, is no list, or holds no dictionary at
// all, the built-in presets are given instead.
std::vector<PresetInfo> loadPresetList(const foundation::UserDefaults& defaults);

// Stores `presets` as they stand (a later synchronize writes them to disk).
void savePresetList(foundation::UserDefaults& defaults, const std::vector<PresetInfo>& presets);

// Replaces the content of `list` with the saved presets (or the built-ins), and stores its
// content, for start-up and quitting.
void loadPresetList(PresetList& list, const foundation::UserDefaults& defaults);
void savePresetList(foundation::UserDefaults& defaults, const PresetList& list);

}  // namespace core
