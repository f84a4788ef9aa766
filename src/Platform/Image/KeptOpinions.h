#pragma once
// A second decoder's opinion of a file, asked once per piece of work: kept in the work's log (when
// given) for the judgements after the first. Each is read now when the log keeps none for the file.
// Thread-safe.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/WarningLog.h"

namespace image::detail {

// The JPEG decoder's own account of `file`, read to its end. Null when it cannot be read as a JPEG.
std::shared_ptr<const JpegReport> jpegReportKeptIn(WarningLog* log, const std::filesystem::path& file);

// The same for the header alone (no pixel decoded).
std::shared_ptr<const JpegReport> jpegHeaderReportKeptIn(WarningLog* log, const std::filesystem::path& file);

// giflib's words for why `file`'s first frame does not give every pixel (see GifFrame.h).
std::optional<std::string> gifDamageKeptIn(WarningLog* log, const std::filesystem::path& file);

// zlib's words for why `file`'s PNG image data is corrupt (see PngImageData.h).
std::optional<std::string> pngDamageKeptIn(WarningLog* log, const std::filesystem::path& file);

// The words for why a strip of `file`'s TIFF image is corrupt (see TiffStripData.h).
std::optional<std::string> tiffDamageKeptIn(WarningLog* log, const std::filesystem::path& file);

}  // namespace image::detail
