#pragma once
// Whether the strips (or tiles) of a TIFF's first image, the one every path reads, are whole by checks
// libtiff does not make: a deflate strip's Adler-32 checksum (libtiff stops inflating once the strip is
// full, before it), and a JPEG strip judged by libjpeg as a JPEG file is (TiffJpegStrip.h). Each strip
// is streamed from the file a small piece at a time, never held whole. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace image::detail {

// The decoder's words, after the strip or tile they are about ("strip 12: incorrect data check"), for
// why a strip of `file`'s first image is corrupt. Absent when every strip is whole; when the file is
// not a TIFF or its image is in another compression; when a strip's data ends early or gives too little
// (libtiff says so itself); when the strips' data, in all, is larger than the file or inflates to more
// than the image (strips that share their data: the work is bounded by the file); and when a strip
// could not be judged (memory, a disc that failed, a JPEG larger than its strip).
std::optional<std::string> tiffStripDamage(const std::filesystem::path& file);

}  // namespace image::detail
