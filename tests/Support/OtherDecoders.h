#pragma once
// A decoder other than libvips reads a test file (the format's own library called directly: libjpeg,
// libpng, libtiff (zlib besides on deflate strips), libwebp, libheif, giflib; netpbm's reader for BMP), so
// that a file a test calls valid or broken is what the test says it is. For tests; each call is independent,
// one thread at a time.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct OtherReading {
    // Every pixel came from the data, nothing reported corrupt or missing. Warnings that leave every
    // pixel read (a JPEG's unknown JFIF revision or bytes skipped before a marker, a TIFF's unknown
    // tag, a PNG's oversized optional chunk) do not count, nor does an end marker missing after the last
    // pixel (a JPEG's after its last scan, a PNG's or a GIF's).
    bool whole = false;
    std::string words;         // what stopped the decoder, or its first word of corrupt data
    std::size_t warnings = 0;  // libjpeg's warnings, harmless ones included
};

// Whether the decoders' own limits on a side (libpng's 1,000,000 pixels, libheif's 16,384) hold, or
// are lifted so the file is judged by its data alone.
enum class SideLimits { Kept, Lifted };

// Read by the library of the format its first bytes say; absent for a format none here reads.
std::optional<OtherReading> readElsewhere(const std::filesystem::path& file,
                                          SideLimits limits = SideLimits::Kept);

// libjpeg's reading of a JPEG held in memory; its pixels, row after row, in `pixels` when given.
OtherReading libjpegReading(const std::string& jpeg, std::vector<std::uint8_t>* pixels = nullptr);

}  // namespace testsupport
