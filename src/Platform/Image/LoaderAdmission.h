#pragma once
// Which libvips loader may read a file or a buffer, or why none may, and opening it with that loader.
// Untrusted input is bounded here: only the formats the application reads are admitted, ImageMagick
// only for data that starts as a BMP does, and images above the pixel bound are refused by their
// header. File names are never parsed for loader options. Thread-safe.

#include <vips/vips8>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace image::detail {

// Images with more pixels than this (by header) are refused as too large.
inline constexpr long long kMaximumPixels = 200'000'000;

// A BMP, which ImageMagick reads from memory. The bytes of a file are read only when it is decoded.
struct BmpData {
    std::vector<std::uint8_t> head;   // its first bytes, as far as its headers reach
    std::uint64_t length = 0;         // the leading bytes that hold its image
    std::vector<std::uint8_t> bytes;  // those bytes, when admitted from memory
    std::shared_ptr<std::FILE> file;  // else the file to read them from
};

struct Admission {
    std::string format;                   // "jpeg", "png", "tiff", "gif", "heif", "webp", "jp2k" or "bmp"
    std::optional<vips::VSource> source;  // every format but BMP
    std::shared_ptr<const BmpData> bmp;   // BMP
    std::filesystem::path file;           // when admitted from a file
};

// `damaged` (when given) is set when the file is refused though it starts as an image in a format that
// is read (a TIFF cut before its directory): its header is then missing, not foreign.
std::optional<Admission> admitFile(const std::filesystem::path& path, std::string* error,
                                   bool* damaged = nullptr);
std::optional<Admission> admitBytes(std::span<const std::uint8_t> bytes, std::string* error);

// The admitted image. Only its header is read, except for a BMP within the pixel bound, which is
// read and decoded at once. `options` go to the loader (for instance "shrink" for JPEG).
vips::VImage openAdmitted(const Admission& admission, vips::VOption* options = nullptr);

// libvips' HEIF loader hands its metadata blocks (EXIF, XMP) out in memory that the loader's own image
// owns and frees when it closes: an image that outlives the loader (a decoded copy, a thumbnail, an
// encoder's input) would read them freed. Replaces every block of `image` (a copy made for the
// purpose, never the loader's own image) with a copy that it owns.
void ownLoaderMetadata(vips::VImage& image);

bool exceedsPixelBound(const vips::VImage& header);

// Sets `error` (when given) and lets libvips' own error text be forgotten, so messages never pile up.
void reportError(std::string* error, const std::string& message);

}  // namespace image::detail
