#pragma once
// How many leading bytes of a BMP file hold its image, read from its own headers, so a file with
// bytes after its pixels is never read whole. Pure functions, thread-safe.

#include <cstdint>
#include <span>
#include <variant>

#include "Platform/Image/BmpHeader.h"

namespace image::detail {

struct BmpTooLarge {};
struct BmpUnreadable {};

// The number of leading bytes that hold headers, palette and pixels (at least the file header), or
// why the headers do not allow reading it. `head` is the file's first kBmpHeaderBytes (or fewer, when
// the file is shorter). `pixelBound` is the most pixels an image may have.
std::variant<std::uint64_t, BmpTooLarge, BmpUnreadable> bmpExtent(std::span<const std::uint8_t> head,
                                                                  long long pixelBound);

}  // namespace image::detail
