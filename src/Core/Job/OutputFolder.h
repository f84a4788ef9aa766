#pragma once
// The output folder the user chose, remembered in the settings as bookmark data under
// "UD_SavingLocationData". The settings are thread-safe; these functions hold no state.

#include <filesystem>
#include <optional>
#include <string_view>

#include "Platform/Foundation/UserDefaults.h"

namespace core {

inline constexpr std::string_view kSavingLocationKey = "UD_SavingLocationData";

// Remembers the existing folder `folder`; false (and nothing stored) when it is no folder.
bool storeOutputFolder(foundation::UserDefaults& defaults, const std::filesystem::path& folder);

// The remembered folder while it still exists as a folder; absent when nothing is stored, the data
// is not a bookmark, or the folder has gone.
std::optional<std::filesystem::path> resolveOutputFolder(const foundation::UserDefaults& defaults);

}  // namespace core
