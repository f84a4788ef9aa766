#pragma once
// Reading images from files and from bytes. Every loaded image is upright (its EXIF orientation is
// applied, the result has none) and in 8-bit sRGB, with alpha where the format keeps one. Loading
// only reads the header; pixels are decoded when they are first needed. Thread-safe.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace image {

// Absent, with the reason in `error` when given, for a missing, empty, unreadable, unsupported or
// too large file. A damaged file may still load and give the part of the image that could be read.
std::optional<Image> loadImage(const std::filesystem::path& path, std::string* error = nullptr);
std::optional<Image> loadImage(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

// For a caller that will scale the image down to `needed` (pixels, upright): lets the decoder skip
// detail the result cannot show (JPEG and WebP decode at 1/2, 1/4 or 1/8; HEIF takes its embedded
// preview when that is large enough), so a large photo is never held at full size. The result still
// covers `needed` on both sides, for the caller's final resample; it is the full image when nothing
// can be saved. A side of `needed` that is 0 or less does not constrain.
std::optional<Image> loadImage(const std::filesystem::path& path, cg::Size needed,
                               std::string* error = nullptr);

// The image with its pixels computed now and held in memory, so that it no longer keeps its file and
// decoder open: for a small copy that outlives the work on the image (a preview). The image itself
// when its pixels cannot be computed.
Image rendered(const Image& image);

}  // namespace image
