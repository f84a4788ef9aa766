#pragma once
// Whether libtiff here decodes the compression of a TIFF's first image (the one every path reads).
// libvips reads the header of a TIFF in any compression and fails only once the pixels are asked for;
// the header read says so at once. Reads the first directory's entries up to the compression's, never
// a value held elsewhere in the file. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace image::detail {

// libtiff's words for the compression it cannot decode ("Compression scheme 34712 decoding is not
// implemented"), when the file is a TIFF whose first image is in one. Absent otherwise, and when the
// file cannot be read.
std::optional<std::string> tiffCompressionNotDecoded(const std::filesystem::path& file);

}  // namespace image::detail
