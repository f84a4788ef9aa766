#pragma once
// The type of an image whose first bytes prove it beyond a name's say: a JPEG (FF D8 FF) or a PNG
// (its eight-byte signature). UTType uses it to keep a name from turning such a file into something
// else. Reads only from a regular file; thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace foundation {

// "image/jpeg" or "image/png"; absent for anything else.
std::optional<std::string> signedImageType(const std::filesystem::path& file);

}  // namespace foundation
