#pragma once
// Image conveniences: scaling by the longer side to a target length, and writing an image as a
// bitmap file. One point is one pixel, so a new display size is a new pixel size. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>

#include "Platform/Image/FileType.h"
#include "Platform/Image/Image.h"

namespace found {

// The image scaled so that its longer side (height on a tie) becomes `width` (for a wider image) or
// `height`, both sides computed in single precision and truncated. Absent for an image with a zero
// side or a result below one pixel.
std::optional<image::Image> scaledByLongerSide(const image::Image& source, double width, double height);

// Writes the image as a file of `type` (JPEG and JPEG 2000 with the compression factor), replacing the
// file only once the new one is complete. False, with the reason in `error`, when encoding or writing
// failed.
bool writeBitmap(const image::Image& source, const std::filesystem::path& file, image::FileType type,
                 std::optional<double> compressionFactor, std::string* error = nullptr);

}  // namespace found
