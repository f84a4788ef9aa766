#pragma once
// What a decoder's message means: image data that is corrupt or missing, a valid variant that the
// decoders here cannot read, or a failure that is not about the file at all (memory, temporary
// storage). For the one verdict of a read (ReadVerdict) and its second opinions.

#include <optional>
#include <string>
#include <string_view>

namespace image::detail {

// True when a message says image data is corrupt or missing. Everything else a decoder says is about
// metadata (an unknown or private TIFF tag, an odd EXIF, XMP or ICC block, an optional chunk) or a
// quirk after which every pixel was still read.
bool reportsCorruptData(std::string_view message);

// True for a note that libpng itself calls benign when it gives it as a warning, after which it reads
// every row: a PLTE chunk in a PNG that needs none (an RGB PNG's of a length no palette has, a grey
// PNG's, one after the image data) and an IEND chunk that holds data. The same words as a failure (a
// palette PNG's broken palette) are damage.
bool isBenignPngNote(std::string_view message);

// The decoder's own limit a message says the image is beyond (libheif's 16,384 pixels a side, libpng's
// width limit), named with the decoder's words, if it says one. Such a file is valid, not damaged.
std::optional<std::string> decoderLimitIn(std::string_view message);

// The words that end the reason a JPEG is given up for its scans: stepping through them all would take
// longer than any decode is allowed. The file is valid: it is not supported here.
inline constexpr std::string_view kJpegScanBoundWords = "beyond the bound on decoding time";

// The variant a message says the decoder here cannot read (a HEIF whose codec is missing, an image
// beyond a decoder's limit), if it says one.
std::optional<std::string> unsupportedVariantIn(std::string_view message);

// True when a message says memory ran out or was refused: nothing is then known about the data.
bool reportsWantOfMemory(std::string_view message);

// What failed, in a user's words, when a message says the failure is not about the file: memory, or
// temporary storage that is full or cannot be written. Absent otherwise.
std::optional<std::string> failureNotAboutTheFile(std::string_view message);

}  // namespace image::detail
