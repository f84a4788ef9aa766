#pragma once
// libjpeg's own reading of one JPEG-compressed strip or tile of a TIFF, judged as a JPEG file is: libtiff
// passes on only the first of a strip's warnings, and calls the bytes its decoder skipped before a
// marker harmless whatever they were. The strip is streamed from the file, never held whole.
// Thread-safe.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace image::detail {

// The largest JPEG a strip or tile holds: the image's (or tile's) width, and its rows.
struct JpegStripSize {
    std::uint32_t width = 0;
    std::uint32_t rows = 0;
};

// The first of libjpeg's words of damage in the strip of `count` bytes at `offset` of the open file
// `fd`, decoded after the image's shared `tables` (the JPEGTables tag's stream; empty when each strip
// carries its own), the strip's end taken as a file's: corrupt data, bytes skipped before a marker that
// are not padding, a run of one value decoded as data where the strip ends without its end marker, or
// the error that stopped the decoder. Absent when every pixel came from the data, and when the strip
// cannot be judged here (a variant this libjpeg does not read, memory, a disc that failed, a strip above
// the pixel bound, a JPEG larger than `expected`, which libtiff refuses): libtiff's own words then tell.
std::optional<std::string> jpegStripDamage(int fd, std::span<const std::uint8_t> tables, std::uint64_t offset,
                                           std::uint64_t count, JpegStripSize expected);

}  // namespace image::detail
