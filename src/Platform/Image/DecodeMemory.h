#pragma once
// The memory a decode holds at once, told from the image's header, and a check that so much can be
// had before the decode asks for it: some decoders (GIF's among them) allocate through GLib, which
// ends the process when an allocation fails, so a decode that cannot get its memory is refused
// first, as running out of memory. For Platform/Image only. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <string>

namespace image::detail {

// The decoded pixels of a `width` x `height` image of `bands` samples of `bytesPerSample`, and the
// whole frame of its own that the decoders of some formats (GIF, HEIF, WebP, BMP) hold beside them.
std::uint64_t decodeMemory(std::uint64_t width, std::uint64_t height, int bands, int bytesPerSample,
                           const std::string& format);
// The same for a decoder opened on `header` (at the size it will decode).
std::uint64_t decodeMemory(const vips::VImage& header, const std::string& format);

// True when `bytes` can be allocated now (they are given back at once). Otherwise false, with words
// of running out of memory in `error` (when given) and in the current collector's log.
bool memoryAvailableFor(std::uint64_t bytes, std::string* error);

}  // namespace image::detail
