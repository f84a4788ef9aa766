#pragma once
// Byte-level changes to image files, as odd encoders, broken transfers and failing discs leave them:
// segments, chunks and extensions added, image data replaced. Pure functions of bytes; thread-safe.

#include <cstddef>
#include <cstdint>
#include <string>

namespace coretest {

// `count` bytes that follow no pattern, the same for the same `seed`.
std::string garbage(std::size_t count, std::uint32_t seed);

// A JPEG marker segment (FF, marker, length, payload) and a JPEG with `segments` right after its start.
std::string jpegSegment(char marker, const std::string& payload);
std::string withJpegSegmentsAtStart(const std::string& jpeg, const std::string& segments);

// A PNG chunk (length, type, data, checksum) and a PNG with `chunk` before its first image data.
std::string pngChunk(const std::string& type, const std::string& data);
std::string withPngChunkBeforeImageData(const std::string& png, const std::string& chunk);
// `bytes` written over the compressed image data from `offset` in its first image data chunk, whose
// checksum is made to match: only the compressed stream tells.
std::string withPngImageDataOverwritten(const std::string& png, std::size_t offset, const std::string& bytes);
// A valid one-row 8-bit grey PNG of any width, which no encoder here will write above a million.
std::string greyPngRow(std::uint32_t width);

// A lossy WebP's image with `xmp` in an XMP chunk of the extended format, and no other metadata.
std::string withWebpXmp(const std::string& webp, int width, int height, const std::string& xmp);

// A GIF with a comment extension of `size` bytes before its first image.
std::string withGifComment(const std::string& gif, std::size_t size);
// `count` bytes of the first frame's compressed data set to zero from its middle on, the block
// framing kept, so that the data breaks part way through the frame.
std::string withGifFrameDataZeroed(const std::string& gif, std::size_t count);

// A 24-bit BMP of `rgb` (top row first, three bytes a pixel).
std::string bmpOf(const std::string& rgb, int width, int height);

// `bytes` written over the middle of what follows the first `name` in the file: the last chunk or box
// (a WebP's "VP8L", a HEIF's "mdat") when named by its type.
std::string withMiddleOverwritten(const std::string& file, const std::string& name, const std::string& bytes);

}  // namespace coretest
