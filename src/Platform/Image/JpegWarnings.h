#pragma once
// What the JPEG decoder says about one file, read by decoding it once more on the calling thread.
// libvips passes a JPEG decoder's warnings on through an error text that every thread shares, so
// while several images decode at once a warning cannot be told apart from another image's: this
// read is the file's own. For DecodeWarnings; thread-safe.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace image::detail {

struct JpegReport {
    std::vector<std::string> warnings;   // in order, as libjpeg words them
    std::optional<std::string> failure;  // why the decode stopped, when it did
};

// Absent when the file is not a JPEG (or cannot be opened). Only scaled-down pixels are produced,
// but every compressed byte is read, so damage anywhere in the data is found.
std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& file);

}  // namespace image::detail
