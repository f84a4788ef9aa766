#pragma once
// Names that become one component of a path (output folders named after presets, renamed files)
// are made safe here, so that whatever the user typed the result stays one entry inside its
// folder. Pure functions; safe from any thread.

#include <string>
#include <string_view>

namespace core {

// `name` with "/" and control characters replaced by "_"; "." and ".." become "_"; an empty name
// becomes `fallback` (itself made safe, "_" when that is empty too).
std::string safePathComponent(std::string_view name, std::string_view fallback);

}  // namespace core
