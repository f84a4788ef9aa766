#pragma once
// A TIFF file as its decoder is given it: its directories keep only the entries that decode pixels
// and the metadata a real file carries (XMP, IPTC, Photoshop's resources and ICC up to a size no real
// file reaches); other tags keep only values that fit in their entries. libtiff reads every entry of
// a directory into memory, and holds it twice while it does, each time the file is opened: a layered
// TIFF, or one with a huge private tag, would cost several times that tag just to read its header.
// The file is never refused for them; the pixels are read as they are.
// For Platform/Image only. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace image::detail {

// The most that the metadata blocks a TIFF's view keeps may take, together.
inline constexpr std::uint64_t kTiffMetadataKept = 4 * 16ull * 1024 * 1024;

// Where the first directory of a TIFF whose first bytes (8, or 16 for a BigTIFF) are `head` lies;
// absent when they are not a TIFF's.
std::optional<std::uint64_t> tiffFirstDirectory(std::span<const std::uint8_t> head);

// The file read through a view that leaves those entries out; absent when it has none (or is not a
// TIFF), and the file is then read as it is.
std::optional<vips::VSource> tiffWithoutLargeMetadata(const std::shared_ptr<std::FILE>& file);

// The same view as reads of `count` bytes at an offset into `into`, for libtiff opened by hand: the
// number read, 0 at the end, below 0 on failure. The file as it is where it has no such entries.
using TiffViewRead = std::function<std::int64_t(std::uint64_t offset, std::uint8_t* into, std::size_t count)>;
TiffViewRead tiffReadWithoutLargeMetadata(const std::shared_ptr<std::FILE>& file);

}  // namespace image::detail
