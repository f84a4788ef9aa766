#pragma once
// Whether a PNG's compressed image data is whole by zlib's own checks, its Adler-32 checksum above all.
// libvips has libpng skip that checksum, so a changed byte in the data passes as changed pixels. The
// data is streamed through zlib a small piece at a time, never held whole. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace image::detail {

// zlib's words, after libpng's manner ("IDAT: incorrect data check"), for why the image data's stream
// is corrupt. Absent when it is whole; when the file is not a PNG; when the stream ends early (libpng
// says so itself); when it holds more than the image, whose pixels are then all read before it; and
// when it could not be judged (memory, a disc that failed, an image above the pixel bound).
std::optional<std::string> pngImageDataDamage(const std::filesystem::path& file);

}  // namespace image::detail
