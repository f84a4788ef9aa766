#pragma once
// The output size of an image under a preset, and the rule that skips images a preset would have to
// enlarge. Pure functions on pixel sizes; safe on any thread.

#include <optional>

#include "Core/Records/ActionType.h"
#include "Core/Records/PresetInfo.h"
#include "Platform/Graphics/Geometry.h"

namespace core {

// The preset's width and height as a fallback: the number when it is above 0, -1 when the key holds a
// value that is no number, 0 otherwise.
cg::Size presetFallbackSize(const PresetInfo& preset);

// The target size in pixels of an image of `pixelSize` under `preset`; absent when the image is too
// small and is to be skipped. `allowPortraitResize` is the "UD_Allow_Portrait_Resize" setting: while
// false, a width-only or height-only preset gives its size to the image's long side.
std::optional<cg::Size> targetSizeForPreset(cg::Size pixelSize, const PresetInfo* preset, cg::Size fallback,
                                            bool allowPortraitResize);

// The whole-pixel size an image of `pixelSize` is scaled to so that it covers `target`: exact on the
// side that decides the scale.
cg::Size coverSize(cg::Size pixelSize, cg::Size target);

}  // namespace core
