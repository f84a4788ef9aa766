#pragma once
// Which libvips loader may read a file or a buffer, or why none may, and opening it with that loader.
// Untrusted input is bounded here: only the formats the application reads are admitted, ImageMagick
// only for data that starts as a BMP does, and images above the pixel bound are refused by their
// header. File names are never parsed for loader options. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace image::detail {

// Images with more pixels than this (by header) are refused as too large.
inline constexpr long long kMaximumPixels = 200'000'000;

struct Admission {
    std::string format;                   // "jpeg", "png", "tiff", "gif", "heif", "webp", "jp2k" or "bmp"
    std::optional<vips::VSource> source;  // every format but BMP
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;  // BMP, which ImageMagick reads from memory
    std::filesystem::path file;                              // when admitted from a file
};

std::optional<Admission> admitFile(const std::filesystem::path& path, std::string* error);
std::optional<Admission> admitBytes(std::span<const std::uint8_t> bytes, std::string* error);

// The admitted image. Only its header is read, except for a BMP within the pixel bound, which is
// decoded at once. `options` go to the loader (for instance "shrink" for JPEG).
vips::VImage openAdmitted(const Admission& admission, vips::VOption* options = nullptr);

bool exceedsPixelBound(const vips::VImage& header);

// Sets `error` (when given) and lets libvips' own error text be forgotten, so messages never pile up.
void reportError(std::string* error, const std::string& message);

}  // namespace image::detail
