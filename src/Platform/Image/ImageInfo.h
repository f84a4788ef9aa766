#pragma once
// What a file's header says about its image, read without decoding any pixels: enough to decide
// whether to process or skip an image and to size it, before loading it. Thread-safe.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace image {

struct ImageInfo {
    int pixelWidth = 0;   // upright, after the EXIF orientation is applied
    int pixelHeight = 0;  // upright, after the EXIF orientation is applied
    std::string format;   // "jpeg", "png", "tiff", "gif", "heif", "webp", "jp2k" or "bmp"
    bool hasAlpha = false;
    // The memory a decode of the whole image holds at once (its pixels, and a frame of the decoder's
    // own for some formats).
    std::uint64_t decodeBytes = 0;
    // Above the pixel bound that the loaders enforce: such a file is never loaded.
    bool tooLarge = false;

    bool isLoadable() const { return !tooLarge; }
};

// Why a file that is present could not be read as an image.
enum class ReadFailure {
    NotAnImage,       // not an image in a format that is read, or not readable at all
    Damaged,          // starts as an image in a format that is read, but its header is truncated or corrupt
    Unsupported,      // a valid variant of a format that is read, which the decoders here cannot read
    NotAboutTheFile,  // memory or temporary storage ran out: nothing is known about the file
    Unreadable,       // its header could not be read, in its decoder's words, which say no more
};

// Absent when the file is missing, empty, not an image or in a format that is not read; `error`
// (when given) then says why (for Unsupported, only which variant the file is; for NotAboutTheFile,
// only what failed), and `failure` (when given) which kind of reason it is. Only the header is read,
// by every pass.
std::optional<ImageInfo> readImageInfo(const std::filesystem::path& path, std::string* error = nullptr,
                                       ReadFailure* failure = nullptr);

}  // namespace image
