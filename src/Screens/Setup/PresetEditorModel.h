#pragma once
// The preset the editor sheet makes, and how its size indicator shows a picked size, worked out
// from values alone. Pure functions; any thread.

#include <optional>
#include <string>

#include "Core/Records/PresetInfo.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

namespace setup {

// The new preset: the picked size dictionary with the typed name (as typed), each size that is
// not a number above 0 stored as -1 (unset, as the built-in presets store it), no enhancement, the
// format, the effect tag and the effect's display name ("Original" when there is none).
core::PresetInfo buildPresetDictionary(const core::PresetInfo& picked, const std::string& typedName,
                                       const std::string& outputFormat, int imageEffectTag,
                                       const std::string& effectDisplayName);
// A name that is blank once trimmed becomes the preset's short size text.
void finalisePresetName(core::PresetInfo& preset);

// The indicator's colours and bar opacities for a size.
struct IndicatorLook {
    cg::Color tint;        // both bars
    cg::Color background;  // the indicator: the tint at alpha 0.2
    double widthAlpha = 1;
    double heightAlpha = 1;
};
IndicatorLook indicatorLook(const core::PresetInfo& size);

// The indicator's frame inside its 100 x 100 area: landscape and portrait sizes fill one side and
// keep their ratio, a single side gives a 60 x 60 square in the middle. Absent (the frame stays as
// it is) for a square, a percentage alone, or no size.
std::optional<cg::Rect> indicatorFrame(const core::PresetInfo& size);

}  // namespace setup
