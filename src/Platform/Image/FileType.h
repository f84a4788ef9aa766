#pragma once
// The bitmap file types that images are encoded to, and the table that picks one from a file
// extension. The table is built once and shared; it is read-only, so safe from any thread.

#include <map>
#include <string>
#include <string_view>

namespace image {

enum class FileType { BMP, GIF, JPEG, JPEG2000, PNG, TIFF, HEIF };

// Lower-case extension to file type, exactly as the encoder uses it. "heic" and "heif" map to JPEG:
// real HEIF is written by heifData(), and this is its fallback.
const std::map<std::string, FileType>& fileTypeByExtension();

// The type for an extension as a user or a preset wrote it: surrounding whitespace and newlines are
// ignored, letter case too; an extension the table does not know gives PNG.
FileType fileTypeForExtension(std::string_view extension);

// The extension that names a file holding bytes of this type ("jpg", "png", "heic", ...).
std::string_view preferredExtension(FileType type);

}  // namespace image
