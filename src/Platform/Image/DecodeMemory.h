#pragma once
// The memory a decode holds at once, told from the image's header, and a check that so much can be
// had before the decode asks for it: some decoders (GIF's among them) allocate through GLib, which
// ends the process when an allocation fails, so a decode that cannot get its memory is refused
// first, as running out of memory. For Platform/Image only. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <span>
#include <string>

namespace image::detail {

// The decoded pixels of a `width` x `height` image of `bands` samples of `bytesPerSample`, and the
// whole frame of its own that the decoders of some formats (GIF, HEIF, WebP, BMP) hold beside them.
std::uint64_t decodeMemory(std::uint64_t width, std::uint64_t height, int bands, int bytesPerSample,
                           const std::string& format);
// The same for a decoder opened on `header` (at the size it will decode), with what its decoders hold
// beside the pixels: a progressive JPEG's coefficients and the loader's copies of the metadata blocks.
std::uint64_t decodeMemory(const vips::VImage& header, const std::string& format);

// The coefficients libjpeg keeps for a whole progressive JPEG of `width` x `height` whose chroma is
// subsampled as `subsampling` says ("4:2:0", "4:4:4", ...): two bytes a sample of every component, at
// the full size whatever the scale it is decoded at; 0 for a baseline JPEG, decoded a row at a time.
std::uint64_t progressiveCoefficientMemory(std::uint64_t width, std::uint64_t height, int components,
                                           const std::string& subsampling);

// What a read of the header of the file of `fileBytes` whose first bytes are `head` holds at most:
// the loader's copies of its metadata blocks (no larger than the file) and, for GIF and WebP, the
// whole file, which their loaders read into memory.
std::uint64_t headerReadMemory(std::span<const std::uint8_t> head, std::uint64_t fileBytes);

// True when `bytes` can be allocated now (they are given back at once). Otherwise false, with words
// of running out of memory in `error` (when given) and in the current collector's log.
bool memoryAvailableFor(std::uint64_t bytes, std::string* error);

}  // namespace image::detail
