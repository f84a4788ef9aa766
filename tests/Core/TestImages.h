#pragma once
// Photo-like test images written to disk: a smooth gradient with noise, so encoders behave as on real
// photos. Made with libvips directly; thread-safe.

#include <filesystem>
#include <string>

#include "Platform/Image/Image.h"

namespace testsupport {

// Writes a width x height image to `path`, in the format its extension names (jpg, png, tif, webp).
// `contrast` below 1 gives a dark, flat photo.
void writeTestImage(const std::filesystem::path& path, int width, int height, unsigned seed = 1,
                    double contrast = 1.0);

// A width x height opaque image in memory.
image::Image makeTestImage(int width, int height, unsigned seed = 1);

// The pixel size read back from a written file; (0, 0) when it cannot be read.
std::pair<int, int> imageFileSize(const std::filesystem::path& path);

// Whether the file decodes to its last pixel without a single error.
bool decodesWhole(const std::filesystem::path& path);

}  // namespace testsupport
