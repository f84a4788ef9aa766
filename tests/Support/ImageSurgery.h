#pragma once
// Image files made or changed byte by byte, as odd encoders, broken transfers and failing discs leave
// them: segments, chunks and extensions added, image data replaced or zeroed. For tests; pure
// functions of bytes, thread-safe.

#include <cstddef>
#include <cstdint>
#include <string>

namespace testsupport {

// `count` bytes that follow no pattern, the same for the same `seed`.
std::string garbage(std::size_t count, std::uint32_t seed);
// Four bytes, most significant first.
std::string be32(std::uint32_t v);

// A JPEG marker segment (FF, marker, length, payload) and a JPEG with `segments` right after its start.
std::string jpegSegment(char marker, const std::string& payload);
std::string withJpegSegmentsAtStart(const std::string& jpeg, const std::string& segments);

// `bytes` as zlib deflates them, in a stream of its own; empty when zlib fails.
std::string deflated(const std::string& bytes);
// A PNG chunk (length, type, data, checksum).
std::string pngChunk(const std::string& type, const std::string& data);
// A PNG made by hand: `rows`, each after its filter byte, in one zlib stream, under a header of any
// sides (also past what encoders here write), colour type and bit depth.
std::string pngOf(std::uint32_t width, std::uint32_t height, char colourType, const std::string& rows,
                  char bitDepth = 8);
// A PNG with `chunk` before its first image data.
std::string withPngChunkBeforeImageData(const std::string& png, const std::string& chunk);
// `bytes` written over the compressed image data from `offset` in its first image data chunk, whose
// checksum is made to match: only the compressed stream tells.
std::string withPngImageDataOverwritten(const std::string& png, std::size_t offset, const std::string& bytes);

// A lossy WebP's image with `xmp` in an XMP chunk of the extended format, and no other metadata.
std::string withWebpXmp(const std::string& webp, int width, int height, const std::string& xmp);

// A GIF with a comment extension of `size` bytes before its first image.
std::string withGifComment(const std::string& gif, std::size_t size);
// The GIF with 64 zero bytes in the middle of its first frame's data, a sub-block's length among them:
// the frame's data ends part way.
std::string withZeroedFrameData(std::string gif);

// The GIF with its first frame's data stopping at the start of its middle sub-block, the file's end
// kept after it (the frame's empty block and what follows): every block is whole, but pixels are missing.
std::string withFrameDataEndingEarly(const std::string& gif);

// A GIF of 35 bytes whose header and one frame declare `side` x `side` pixels, and whose frame data
// ends after two bytes.
std::string gifOfDeclaredSide(int side);
// A valid GIF of `side` x `side` pixels of one colour, a few kilobytes for every eight million pixels.
std::string gifOfOneColour(int side);

// A 24-bit BMP of `rgb` (top row first, three bytes a pixel).
std::string bmpOf(const std::string& rgb, int width, int height);

// `bytes` written over the middle of what follows the first `name` in the file: the last chunk or box
// (a WebP's "VP8L", a HEIF's "mdat") when named by its type.
std::string withMiddleOverwritten(const std::string& file, const std::string& name, const std::string& bytes);

}  // namespace testsupport
