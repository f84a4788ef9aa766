#pragma once
// Small previews of image files, made by decoding no more than the preview needs. Thread-safe.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

#include <filesystem>
#include <optional>

namespace image {

// The file's image, upright and in sRGB, scaled down (never up) so that its long side is at most
// `maxPixelSize`'s width. Absent when the file cannot be read as an image (the empty thumbnail).
std::optional<Image> thumbnail(const std::filesystem::path& url, cg::Size maxPixelSize);

}  // namespace image
