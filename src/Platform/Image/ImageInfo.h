#pragma once
// What a file's header says about its image, read without decoding any pixels: enough to decide
// whether to process or skip an image and to size it, before loading it. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>

namespace image {

struct ImageInfo {
    int pixelWidth = 0;   // upright, after the EXIF orientation is applied
    int pixelHeight = 0;  // upright, after the EXIF orientation is applied
    std::string format;   // "jpeg", "png", "tiff", "gif", "heif", "webp", "jp2k" or "bmp"
    bool hasAlpha = false;
    // Above the pixel bound that the loaders enforce: such a file is never loaded.
    bool tooLarge = false;

    bool isLoadable() const { return !tooLarge; }
};

// Absent when the file is missing, empty, not an image or in a format that is not read; `error`
// (when given) then says why, and `damaged` (when given) whether the file starts as an image in a
// format that is read but its header cannot be (a truncated or corrupt file).
std::optional<ImageInfo> readImageInfo(const std::filesystem::path& path, std::string* error = nullptr,
                                       bool* damaged = nullptr);

}  // namespace image
