#pragma once
// What the JPEG decoder says about one file, read by decoding it once more on the calling thread.
// libvips passes a JPEG decoder's warnings on through an error text that every thread shares, so
// while several images decode at once a warning cannot be told apart from another image's: this
// read is the file's own. The read is bounded like every decode: an image above the pixel bound is
// never decoded, and the decoder's memory is capped. For DecodeWarnings; thread-safe.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace image::detail {

// Bytes that the decoder skipped before a marker: left over by an encoder, never image data.
struct ByteRange {
    std::size_t offset = 0;
    std::size_t length = 0;
};

struct JpegReport {
    std::vector<std::string> warnings;  // in order, as libjpeg words them
    // Why the decode stopped, when the data made it stop.
    std::optional<std::string> failure;
    // A valid variant that the decoder here does not read ("12-bit JPEG", "lossless JPEG").
    std::optional<std::string> unsupported;
    // False when the data was not read to its end for want of memory or because the image is above the
    // pixel bound: the report then says nothing about the data.
    bool complete = true;
    std::vector<ByteRange> extraneous;  // in order
};

// Absent when the file is not a JPEG (or cannot be opened). Only scaled-down pixels are produced,
// but every compressed byte is read, so damage anywhere in the data is found.
std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& file);

// The file's bytes without the extraneous bytes before its markers, when it has some and the result
// decodes to its end with no such bytes left. libvips gives up on a JPEG at its decoder's 100th
// warning, however harmless (padding before each restart marker gives one each): such a file still
// decodes from these bytes. Absent otherwise.
std::optional<std::vector<std::uint8_t>> jpegWithoutExtraneousBytes(const std::filesystem::path& file);

}  // namespace image::detail
