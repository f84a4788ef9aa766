#pragma once
// Reads a test file with a decoder other than libvips (the format's own library called directly, or
// netpbm's readers for GIF and BMP), so that a test that calls a file valid or broken knows the file is
// what it says. Each call is independent; call from one thread at a time.

#include <filesystem>
#include <string>

namespace coretest {

struct OutsideReading {
    bool whole = false;  // every pixel came from the data, with nothing reported corrupt or missing
    std::string words;   // what the decoder said when it was not whole
};

// `format` is "jpeg", "png", "tiff", "webp", "gif", "heif" or "bmp". The decoders' own limits on sides
// are lifted (libheif's 16,384 pixels, libpng's million): the file is judged by its data only. Warnings
// that leave every pixel read (a JPEG's unknown JFIF revision or bytes skipped before a marker, a TIFF's
// unknown tag, a PNG's oversized optional chunk) do not make a reading broken.
OutsideReading readOutsideLibvips(const std::filesystem::path& file, const std::string& format);

}  // namespace coretest
