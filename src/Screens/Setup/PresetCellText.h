#pragma once
// What a preset cell shows, worked out from the preset alone: the display name, the badges and the
// frame of the small box drawn in the preset's aspect ratio. Pure functions, any thread.

#include <string>

#include <optional>
#include "Core/Records/PresetInfo.h"

#include "Platform/Graphics/Geometry.h"

namespace setup {

// A text of fewer than 2 characters upper-cased whole; a longer one with its first character
// upper-cased and the rest as it stands.
std::string capitalisedName(const std::string& text);

struct PresetBadges {
    std::string name;
    std::string sizeText;
    std::string format;  // the output extension, upper case
    bool formatShown = false;
    std::string effect;  // the effect filter name, upper case
    bool effectShown = false;
    std::string saliency;  // "MAGIC CROP" or empty
    bool saliencyShown = false;
    bool originalShown = false;  // the plain "ORIGINAL" badge
    bool autoEnhance = false;
};

PresetBadges presetBadges(const core::PresetInfo& preset);

// The frame of the aspect box inside its 60 x 60 area, or absent when it keeps its laid-out frame
// (square presets and presets with neither side). A side of 0 or below counts as unset.
std::optional<cg::Rect> aspectBoxFrame(double width, double height);

}  // namespace setup
