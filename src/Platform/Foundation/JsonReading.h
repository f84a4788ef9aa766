#pragma once
// Reading JSON text into plain values: objects become dictionaries, arrays arrays, null a null
// value; no tag of the settings file is interpreted. The top level must be an object or an array,
// and nesting is bounded so that hostile input cannot exhaust the stack. Safe from any thread.

#include <optional>
#include <string_view>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

// Absent when the text is not JSON, its top level is not an object or an array, or it nests
// deeper than 512 levels.
std::optional<PlistValue> readJson(std::string_view text);

}  // namespace foundation
