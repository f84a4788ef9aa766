#pragma once
// Encoding images into file bytes. The pixels are converted to sRGB and the result carries no colour
// profile and no orientation, but keeps the image's EXIF, XMP and IPTC metadata. Encoding is where a
// lazy image's pipeline actually runs, so a damaged source shows up here as an absent result.
// Thread-safe.

#include "Platform/Foundation/PlistValue.h"
#include "Platform/Image/FileType.h"
#include "Platform/Image/Image.h"

#include <optional>
#include <string>
#include <string_view>

namespace image {

// Bytes in the format the extension names by fileTypeForExtension(); JPEG at full quality (compression
// factor 1.0), every other type at its encoder's defaults.
std::optional<foundation::Data> encodedData(const Image& image, std::string_view extension,
                                            std::string* error = nullptr);

// Bytes of the given type. `compressionFactor` (0...1) sets the quality of JPEG and JPEG 2000 (1 is
// lossless JPEG 2000); without one, JPEG is written at 0.75 and JPEG 2000 lossless. The other types
// have no quality setting and ignore it.
std::optional<foundation::Data> encodedData(const Image& image, FileType type,
                                            std::optional<double> compressionFactor = std::nullopt,
                                            std::string* error = nullptr);

// Real HEIF (HEVC) bytes, the output of the HEIF path that the extension table leaves to JPEG.
std::optional<foundation::Data> heifData(const Image& image, std::string* error = nullptr);

}  // namespace image
