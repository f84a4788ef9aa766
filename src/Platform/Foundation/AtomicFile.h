#pragma once
// Whole-file writes that never leave a half-written file behind: the bytes go to a temporary file in
// the same folder, are flushed, and then renamed over the destination.

#include <filesystem>
#include <string>
#include <string_view>

namespace foundation {

// The temporary name used beside `destination` while it is written.
std::filesystem::path temporaryPathFor(const std::filesystem::path& destination);

// True when `destination` now holds exactly `bytes`. On failure the destination is untouched and
// `error` (when given) says why.
bool writeFileAtomically(const std::filesystem::path& destination, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace foundation
