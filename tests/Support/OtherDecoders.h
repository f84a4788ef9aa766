#pragma once
// Whether a decoder other than libvips reads a file's image to its last pixel: the format's own
// library called directly, so a test's broken or valid file is what the test says it is. For tests.

#include <filesystem>
#include <optional>

namespace testsupport {

// libpng, libtiff or giflib, chosen by the file's first bytes, read every pixel without an error;
// absent for any other format. `anyWidth` lifts libpng's own limit on a side (1,000,000 pixels).
std::optional<bool> readsWholeElsewhere(const std::filesystem::path& file, bool anyWidth = false);

}  // namespace testsupport
