#pragma once
// A JPEG as libvips' loader is given it: without the APP1, APP2 and APP13 segments that the loader has
// libjpeg hold in memory but never uses (every EXIF, XMP and IPTC block but the first, ICC chunks that
// a later one replaces or that it does not number, blocks of other kinds). libjpeg keeps each of them
// on every open of the file, and a file can carry hundreds of megabytes of them before its first scan.
// What the loader attaches to the image is the same either way, and the pixels are read as they are;
// a file is never refused for its metadata. For Platform/Image only. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace image::detail {

// The file read through a view that leaves those segments out; absent when they add up to little (as
// in every ordinary photo) or it is not a JPEG, and the file is then read as it is.
std::optional<vips::VSource> jpegWithoutUnusedMetadata(const std::shared_ptr<std::FILE>& file);

// The same for a JPEG in memory: a copy without those segments.
std::optional<std::vector<std::uint8_t>> jpegWithoutUnusedMetadata(std::span<const std::uint8_t> bytes);

}  // namespace image::detail
