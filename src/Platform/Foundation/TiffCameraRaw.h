#pragma once
// Tells a camera RAW file in TIFF form (DNG, CR2, NEF, ARW, PEF, ...) from an ordinary TIFF by its
// header and directories, whatever the file is named: a CR2 signs its header ("CR", version 2); a DNG
// carries the DNGVersion tag; the others keep their sensor data in a directory whose colours are a
// colour-filter array or linear raw. Only the header and directories are read, never the image data,
// and only from a regular file. For UTType; thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace foundation {

// "image/x-adobe-dng" for a DNG, "image/x-canon-cr2" for a CR2, "image/x-dcraw" for another camera
// RAW in TIFF form, "image/tiff" for a TIFF with no sign of a camera's sensor data; absent for what is
// not a TIFF, an unreadable file or one that is not a regular file.
std::optional<std::string> typeOfTiff(const std::filesystem::path& file);

}  // namespace foundation
