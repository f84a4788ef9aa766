#pragma once
// Whether a GIF's first frame (the one the job and thumbnails show) gives every pixel, by giflib's own
// reading of its compressed data. libvips' GIF decoder ends a frame whose data stops part way as if it
// were whole, fills in the rest and says nothing. The read is bounded like every decode: a frame above
// the pixel bound is never read, and only one row is held. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace image::detail {

// giflib's words for why the first frame's data does not give every pixel (it is corrupt, or the
// file ends first). Absent when it does, when the file is not a GIF or has no frame, and when the
// frame could not be judged (memory, a disc that failed, a frame above the pixel bound).
std::optional<std::string> gifFirstFrameDamage(const std::filesystem::path& file);

}  // namespace image::detail
