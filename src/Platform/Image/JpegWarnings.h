#pragma once
// What the JPEG decoder says about one file, read by decoding it once more on the calling thread.
// libvips passes a JPEG decoder's warnings on through an error text that every thread shares, so
// while several images decode at once a warning cannot be told apart from another image's: this
// read is the file's own. The read is bounded like every decode: an image above the pixel bound is
// never decoded, the decoder's memory is capped, and only a few warning texts are kept. Thread-safe.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace image::detail {

// libvips gives up on a JPEG at its decoder's 100th warning, however harmless.
inline constexpr std::size_t kVipsJpegWarningLimit = 100;

struct JpegReport {
    std::filesystem::path file;         // the file read
    std::vector<std::string> warnings;  // the first few, in order, as libjpeg words them
    std::size_t warningCount = 0;       // all of them, up to where the read ended
    // The first warning that says image data is corrupt or missing.
    std::optional<std::string> corruptData;
    // Why the decode stopped, when the data made it stop.
    std::optional<std::string> failure;
    // A valid variant that the decoder here does not read ("12-bit JPEG", "lossless JPEG").
    std::optional<std::string> unsupported;
    // False when the data was not read to its end for want of memory, for a disc that failed, because
    // the image is above the pixel bound or because its scans would take too long to step through: the
    // report then says nothing about the data.
    bool complete = true;

    // True when libvips stops at its limit on warnings while every word of the decoder is harmless:
    // libjpeg alone reads the file whole.
    bool onlyHarmlessWarningsPastVipsLimit() const {
        return complete && !failure && !unsupported && !corruptData && warningCount >= kVipsJpegWarningLimit;
    }
};

// Absent when the file is not a JPEG (or cannot be opened). Only scaled-down pixels are produced,
// but every compressed byte is read, so damage anywhere in the data is found; the read ends at the
// first word of corrupt data, after which the report cannot change.
std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& file);

// The same for the header alone (up to the first scan): no pixel is decoded. For wording a header
// that libvips could not read.
std::optional<JpegReport> readJpegHeaderWarnings(const std::filesystem::path& file);

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The file open for reading, when it is a regular file; opening never blocks, whatever the path names.
FileHandle openRegularFile(const std::filesystem::path& path);

}  // namespace image::detail
