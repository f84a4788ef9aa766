#pragma once
// Tells a camera RAW file in TIFF form (DNG, NEF, ARW, PEF, ...) from an ordinary TIFF by its
// directories, whatever the file is named: a DNG carries the DNGVersion tag; the others keep their
// sensor data in a directory whose colours are a colour-filter array or linear raw. Only the
// directories are read, never the image data. For UTType; thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace foundation {

// "image/x-adobe-dng" for a DNG, "image/x-dcraw" for another camera RAW in TIFF form; absent for
// anything else (an ordinary TIFF, not a TIFF at all, an unreadable file).
std::optional<std::string> cameraRawTypeOfTiff(const std::filesystem::path& file);

}  // namespace foundation
