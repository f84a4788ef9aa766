#pragma once
// Which libvips loader may read a file or a buffer, or why none may. Untrusted input is bounded here:
// only the formats the application reads are admitted, ImageMagick only for data that starts as a
// BMP does, and images above the pixel bound are refused by their header. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace image::detail {

// Images with more pixels than this (by header) are refused as too large.
inline constexpr long long kMaximumPixels = 200'000'000;

struct Admission {
    std::string format;  // "jpeg", "png", "tiff", "gif", "heif", "webp", "jp2k" or "bmp"
};

std::optional<Admission> admitFile(const std::filesystem::path& path, std::string* error);
std::optional<Admission> admitBytes(std::span<const std::uint8_t> bytes, std::string* error);

bool exceedsPixelBound(const vips::VImage& header);

// Sets `error` (when given) and clears libvips' own error buffer, so messages never pile up.
void reportError(std::string* error, const std::string& message);

}  // namespace image::detail
