#pragma once
// What a decoder's message means when it is not about the file's data being damaged: a valid variant
// that the decoders here cannot read, or a want of memory. For ImageInfo and DecodeWarnings.

#include <optional>
#include <string>
#include <string_view>

namespace image::detail {

// The variant a message says the decoder here cannot read (a HEIF whose codec is missing), if it says
// one.
std::optional<std::string> unsupportedVariantIn(std::string_view message);

// True when a message says memory ran out or was refused: nothing is then known about the data.
bool reportsWantOfMemory(std::string_view message);

}  // namespace image::detail
