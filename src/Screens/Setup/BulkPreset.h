#pragma once
// The one-off preset of the Bulk tab, built from what its inputs show when Proceed is clicked, and
// the reading of its size fields. Pure; any thread.

#include <optional>
#include <string_view>

#include "Core/Records/PresetInfo.h"

namespace screens {

// The largest size a Bulk field passes on; larger (or unreadable) texts are capped or read as 0, so
// a typed "1e30" never reaches the engine as a size.
inline constexpr float kLargestBulkSide = 100000.0f;

// A size field's number: leading blanks skipped, then the longest decimal prefix ("800.5px" is
// 800.5); 0 when there is none or it is not finite; capped at kLargestBulkSide.
float bulkFieldValue(std::string_view text);

// The preset "forBulk" with its width and height as typed, the slider's percentage rounded down,
// the saliency choice and crop (segment 1) or resize; none when no size is above 0.
std::optional<core::PresetInfo> makeBulkPreset(float sliderValue, float width, float height, bool saliency,
                                               int resizeCropSegment);

}  // namespace screens
