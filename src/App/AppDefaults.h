#pragma once
// The settings the application shell registers, resets at every start and writes, and the saving
// of the user's presets. Main thread only (the settings themselves are thread-safe).

#include <string_view>

#include "Platform/Foundation/UserDefaults.h"

namespace appkeys {
inline constexpr std::string_view UD_Allow_Portrait_Resize = "UD_Allow_Portrait_Resize";
inline constexpr std::string_view isShowFirst = "isShowFirst";
inline constexpr std::string_view UDTargetFolder = "UDTargetFolder";
}  // namespace appkeys

// "UD_Allow_Portrait_Resize" = false and "isShowFirst" = 0, in force until the user sets a value.
void registerAppDefaults(foundation::UserDefaults& defaults);
// Drops the stored "UD_Allow_Portrait_Resize" so that the registered false holds at every start.
void resetAdvancedOptionDefaults(foundation::UserDefaults& defaults);
// Stores the shared preset list under "UD_SavedPresets_1" and writes the settings to disk.
void savePresetsToDefaults(foundation::UserDefaults& defaults);
void savePresetsToDefaults();
