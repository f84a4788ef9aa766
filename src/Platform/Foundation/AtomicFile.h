#pragma once
// Whole-file writes that never leave a half-written file behind: the bytes go to a temporary file in
// the same folder, are flushed, and then renamed over the destination. Every write has a temporary
// of its own, so writers of the same file (two processes on one settings file) never meet in it.
// Any thread.

#include <filesystem>
#include <string>
#include <string_view>

namespace foundation {

// True when `destination` now holds exactly `bytes`. On failure the destination is untouched and
// `error` (when given) says why.
bool writeFileAtomically(const std::filesystem::path& destination, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace foundation
