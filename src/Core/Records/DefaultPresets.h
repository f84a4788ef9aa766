#pragma once
// The seven built-in presets, offered when the user has no saved presets. Made once on first use;
// read-only afterwards, so safe from any thread.

#include <vector>

#include "Core/Records/PresetInfo.h"

namespace core {

// "Half", "W-1280", "HD", "H-1280", "Full HD", "4K", "SD", in that order.
const std::vector<PresetInfo>& defaultPresets();

}  // namespace core
